#pragma once

#include <QString>
#include <array>

namespace kvx {

// The nine file categories the user picks from, and the active pattern their
// check states make up. Box 0 ("all files") checks and locks every other box.
// Each box keeps a pattern (the list of wildcards it stands for, shown as its
// tool tip) and a default pattern it falls back to when the user empties it.
class FileCategories
{
public:
    static constexpr int Count = 9;
    static constexpr int AllFiles = 0;

    struct Box
    {
        QString caption; // "&" marks the access key, as on the box
        QString pattern;
        QString defaultPattern;
        bool checked = false;
        bool enabled = true;
    };

    // The initial boxes, all unchecked and enabled; the active pattern empty.
    FileCategories();

    [[nodiscard]] const Box& box(int index) const { return m_boxes.at(size_t(index)); }
    // Captions and patterns may be replaced (a language file carries them).
    void setCaption(int index, const QString& caption);
    void setPattern(int index, const QString& pattern);

    // A box's check state changed: box 0 carries the others along, then the
    // active pattern is rebuilt from the check states alone, so the order of
    // the clicks never matters.
    void setChecked(int index, bool checked);

    // "*.*" while box 0 is checked; otherwise ";" and the pattern of every
    // checked box, in box order (so it starts with an empty item).
    [[nodiscard]] const QString& activePattern() const { return m_activePattern; }

    // Editing a box's pattern: the prompt's title and text, then the answer
    // applied. An empty answer gives back the default pattern. The active
    // pattern is left as it is until the next check-state change.
    [[nodiscard]] QString editTitle(int index) const { return box(index).pattern; }
    [[nodiscard]] QString editDefault(int index) const { return box(index).pattern; }
    void applyEditedPattern(int index, const QString& answer);

private:
    void rebuildActivePattern();

    std::array<Box, Count> m_boxes;
    QString m_activePattern;
};

} // namespace kvx
