#pragma once

class QTreeView;

namespace kvx {

// Gives a tree view the look the jacket is printed from: 6000 twips square,
// no header, frame or scroll bars (they would take pixels from the slices),
// lines and expand markers at the root, 16 x 16 pictures. Rows of exactly
// 240 twips (16 px) come from the model's size hint.
void SetUpJacketTreeView(QTreeView& view);

} // namespace kvx
