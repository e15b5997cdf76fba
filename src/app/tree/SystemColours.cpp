#include "tree/SystemColours.h"

#include <array>

namespace kvx {

QPalette::ColorRole systemColourRole(Colour colour, QPalette::ColorRole unknown)
{
    // Indexed by the low byte of the system colour number.
    static constexpr std::array<QPalette::ColorRole, 25> roles{
        QPalette::Mid,             // 0 scroll bar
        QPalette::Dark,            // 1 desktop
        QPalette::Highlight,       // 2 active title bar
        QPalette::Mid,             // 3 inactive title bar
        QPalette::Window,          // 4 menu bar
        QPalette::Base,            // 5 window background
        QPalette::Shadow,          // 6 window frame
        QPalette::WindowText,      // 7 menu text
        QPalette::Text,            // 8 window text
        QPalette::HighlightedText, // 9 active title text
        QPalette::Mid,             // 10 active border
        QPalette::Mid,             // 11 inactive border
        QPalette::Dark,            // 12 application workspace
        QPalette::Highlight,       // 13 highlight
        QPalette::HighlightedText, // 14 highlighted text
        QPalette::Button,          // 15 button face
        QPalette::Dark,            // 16 button shadow
        QPalette::PlaceholderText, // 17 grey text
        QPalette::ButtonText,      // 18 button text
        QPalette::WindowText,      // 19 inactive title text
        QPalette::Light,           // 20 button highlight
        QPalette::Shadow,          // 21 3D dark shadow
        QPalette::Midlight,        // 22 3D light
        QPalette::ToolTipText,     // 23 tooltip text
        QPalette::ToolTipBase,     // 24 tooltip background
    };
    const quint32 number = colour & ~kSystemColourFlag;
    return number < roles.size() ? roles[number] : unknown;
}

QColor toQColor(Colour colour, const QPalette& palette, QPalette::ColorRole unknown)
{
    if (isSystemColour(colour))
        return palette.color(systemColourRole(colour, unknown));
    return QColor(int(colour & 0xFFu), int((colour >> 8) & 0xFFu), int((colour >> 16) & 0xFFu));
}

SystemColourTable systemColourTable(const QPalette& palette)
{
    SystemColourTable table;
    for (size_t number = 0; number < table.rgb.size(); ++number)
        table.rgb.at(number) =
            toQColor(kSystemColourFlag | Colour(number), palette, QPalette::Base).rgb() & 0xFFFFFFu;
    return table;
}

Colour fromQColor(const QColor& colour)
{
    return rgbColour(colour.red(), colour.green(), colour.blue());
}

} // namespace kvx
