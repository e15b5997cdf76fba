#include "tree/WindowFont.h"

#include <QStringList>

namespace kvx {

QFont WindowFont()
{
    // That bitmap font is narrow: the twips measures of the captions were made
    // for it, so narrow families come first and the size is its visual
    // equivalent (10 pixels at 96 dpi) rather than its nominal points.
    QFont font;
    font.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Microsoft Sans Serif"),
                      QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                      QStringLiteral("Nimbus Sans"), QStringLiteral("Arial"),
                      QStringLiteral("DejaVu Sans Condensed"), QStringLiteral("DejaVu Sans")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(7.5);
    return font;
}

} // namespace kvx
