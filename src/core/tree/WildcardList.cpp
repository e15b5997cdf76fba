#include "tree/WildcardList.h"

#include <QList>

namespace kvx {

namespace {

constexpr char32_t kAnyRun = 0x110000; // "*"
constexpr char32_t kAnyOne = 0x110001; // "?"

// A name as code points, each folded the simple way (one for one), as a
// case-blind comparison of single characters does.
std::u32string folded(QStringView text)
{
    std::u32string out;
    out.reserve(size_t(text.size()));
    for (const char32_t c : text.toUcs4())
        out.push_back(QChar::toCaseFolded(c));
    return out;
}

// Two positions move along the item and the name; on a mismatch the last star
// takes one more character and the match resumes after it. Each step moves
// forward in the name or back to the last star, so the work stays below the
// product of the lengths, without the blow-up of trying every split.
bool matchesItem(const std::u32string& item, const std::u32string& name)
{
    size_t at = 0; // in the item
    size_t in = 0; // in the name
    size_t star = std::u32string::npos;
    size_t resume = 0; // where the name goes on after the last star
    while (in < name.size()) {
        if (at < item.size() && (item[at] == kAnyOne || item[at] == name[in])) {
            ++at;
            ++in;
        } else if (at < item.size() && item[at] == kAnyRun) {
            star = at++;
            resume = in;
        } else if (star != std::u32string::npos) {
            at = star + 1;
            in = ++resume;
        } else {
            return false;
        }
    }
    while (at < item.size() && item[at] == kAnyRun)
        ++at;
    return at == item.size();
}

} // namespace

WildcardList::WildcardList(const QString& patterns)
{
    for (const QStringView item : QStringView(patterns).split(u';')) {
        const QStringView trimmed = item.trimmed();
        if (trimmed.isEmpty())
            continue;
        if (trimmed == u"*.*") {
            m_everyName = true;
            continue;
        }
        std::u32string compiled = folded(trimmed);
        for (char32_t& c : compiled) {
            if (c == U'*')
                c = kAnyRun;
            else if (c == U'?')
                c = kAnyOne;
        }
        m_items.push_back(std::move(compiled));
    }
}

bool WildcardList::matches(const QString& name) const
{
    if (m_everyName)
        return true;
    if (m_items.empty())
        return false;
    const std::u32string text = folded(name);
    for (const std::u32string& item : m_items) {
        if (matchesItem(item, text))
            return true;
    }
    return false;
}

} // namespace kvx
