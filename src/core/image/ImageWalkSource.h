#pragma once

#include "walk/WalkSource.h"

namespace kvx {

class DiscImage;

// A full walk over a disc image: the same entries as a walk over the folder
// it was made from, links listed and never followed. Handles are entry
// numbers.
class ImageWalkSource : public WalkSource
{
public:
    explicit ImageWalkSource(const DiscImage& image) : m_image(image) {}

    [[nodiscard]] QByteArray start() const override;
    [[nodiscard]] bool list(const QByteArray& folder, std::vector<WalkItem>& items,
                            QString& reason) override;

private:
    const DiscImage& m_image;
};

} // namespace kvx
