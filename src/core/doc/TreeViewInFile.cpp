#include "doc/TreeViewInFile.h"

#include "doc/FieldEncoding.h"
#include "doc/IniFile.h"
#include "doc/IniWriter.h"
#include "doc/LoadReport.h"
#include "doc/TreeViewSettings.h"
#include "print/CoverChoice.h"
#include "tree/ImageRegistry.h"
#include "tree/NodeTree.h"
#include "util/FileReplacement.h"

#include <QLocale>
#include <QStringList>
#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <limits>
#include <new>
#include <optional>
#include <vector>

namespace kvx {

namespace {

const QString kType = QStringLiteral("TVW FILE");
// Version 1.1 differs from 1.0 only in that the text, key and tag of node
// entries are percent-encoded, so that names holding "|", "%", line breaks or
// leading blanks survive. It is written only when some name needs it.
const QString kPlainVersion = QStringLiteral("1.0");
const QString kEncodedVersion = QStringLiteral("1.1");

constexpr QStringView kFileInfo = u"FileInfo";
constexpr QStringView kTreeView = u"TreeView";
constexpr QStringView kNodes = u"Nodes";
// Written after the nodes and only when set, so that older readers skip it
// and a document without it is as it always was.
constexpr QStringView kCover = u"Cover";

bool needsEncoding(const QString& field)
{
    for (const QChar c : field) {
        if (c == u'%' || c == u'|' || c == u'\r' || c == u'\n')
            return true;
    }
    return false;
}

bool treeNeedsEncoding(const NodeTree& tree)
{
    for (int i = 1; i <= tree.count(); ++i) {
        const Node* node = tree.nodeAt(i);
        if (needsEncoding(node->text()) || needsEncoding(node->key()) ||
            needsEncoding(node->tag()) ||
            (!node->text().isEmpty() && isBlank(node->text().front())))
            return true;
    }
    return false;
}

// Indentation: a 32-bit float with up to 7 significant digits and the
// decimal separator of the user's locale; read back with either separator,
// whatever the locale, so documents move between locales.
QString formatIndentation(float twips)
{
    QString text = QString::number(double(twips), 'g', 7);
    return text.replace(u'.', QLocale().decimalPoint());
}

bool parseIndentation(const QString& text, float* twips)
{
    QString plain = text.trimmed();
    plain.replace(u',', u'.');
    bool ok = false;
    const double value = plain.toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return false;
    *twips = float(value);
    return true;
}

bool parseInteger(QStringView text, qint32* value)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok, 10);
    if (ok)
        *value = v;
    return ok;
}

// A truth value: a number (0 is false) or the words True and False.
bool parseFlag(QStringView text, bool* value)
{
    const QStringView t = text.trimmed();
    // What the writer writes, read without the cost of a number conversion.
    if (t.size() == 1 && (t.front() == u'0' || t.front() == u'1')) {
        *value = t.front() == u'1';
        return true;
    }
    if (t.compare(u"true", Qt::CaseInsensitive) == 0 ||
        t.compare(u"false", Qt::CaseInsensitive) == 0) {
        *value = t.size() == 4;
        return true;
    }
    bool ok = false;
    const double number = t.toDouble(&ok);
    if (ok)
        *value = number != 0;
    return ok;
}

// A settings text as one line that reads back as it is: blanks at its ends
// and a pair of enclosing quotes would be dropped by the reader, so such a
// text goes in one more pair of quotes.
QString settingText(QString text)
{
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    if (text.isEmpty())
        return text;
    const QChar first = text.front();
    const QChar last = text.back();
    const bool quoted = text.size() >= 2 && first == last && (first == u'"' || first == u'\'');
    if (quoted || isBlank(first) || isBlank(last))
        text = u'"' + text + u'"';
    return text;
}

QString joinFields(std::initializer_list<QStringView> fields)
{
    QString out;
    for (const QStringView* f = fields.begin(); f != fields.end(); ++f) {
        if (f != fields.begin())
            out += u'|';
        out += *f;
    }
    return out;
}

// The kind of the latest failed step, and a count of each kind for the report.
class Failures
{
public:
    explicit Failures(LoadReport& report) : report(report) {}
    void fail(qint32 code) { m_latest = code; }
    [[nodiscard]] qint32 latest() const { return m_latest; }

    LoadReport& report;

private:
    qint32 m_latest = load_result::Ok;
};

void settingUnread(Failures& failures)
{
    failures.fail(load_result::BadSetting);
    ++failures.report.settingsUnread;
}

void readInteger(const IniFile& doc, QStringView key, int& setting, bool (*valid)(int),
                 Failures& failures)
{
    const std::optional<QString> text = doc.find(kTreeView, key);
    if (!text)
        return;
    qint32 value = 0;
    if (parseInteger(*text, &value) && valid(value))
        setting = value;
    else
        settingUnread(failures);
}

void readFlag(const IniFile& doc, QStringView key, bool& setting, Failures& failures)
{
    const std::optional<QString> text = doc.find(kTreeView, key);
    if (!text)
        return;
    if (!parseFlag(*text, &setting))
        settingUnread(failures);
}

void readText(const IniFile& doc, QStringView key, QString& setting)
{
    if (std::optional<QString> text = doc.find(kTreeView, key))
        setting = std::move(*text);
}

void readSettings(const IniFile& doc, TreeViewSettings& s, NodeTree& tree, Failures& failures)
{
    readInteger(doc, u"Appearance", s.appearance, &TreeViewSettings::validAppearance, failures);
    readInteger(doc, u"BorderStyle", s.borderStyle, &TreeViewSettings::validBorderStyle, failures);
    readFlag(doc, u"Checkboxes", s.checkboxes, failures);
    readFlag(doc, u"FullRowSelect", s.fullRowSelect, failures);
    readFlag(doc, u"HideSelection", s.hideSelection, failures);
    // ImageList names the window's own list: never taken from a document.
    if (const std::optional<QString> text = doc.find(kTreeView, u"Indentation")) {
        float twips = 0;
        if (parseIndentation(*text, &twips) && TreeViewSettings::validIndentation(twips))
            s.indentationTwips = twips;
        else
            settingUnread(failures);
    }
    readInteger(doc, u"LabelEdit", s.labelEdit, &TreeViewSettings::validLabelEdit, failures);
    readInteger(doc, u"LineStyle", s.lineStyle, &TreeViewSettings::validLineStyle, failures);
    readText(doc, u"PathSeparator", s.pathSeparator);
    readFlag(doc, u"Sorted", s.sorted, failures);
    tree.setRootsSorted(s.sorted);
    readInteger(doc, u"Style", s.style, &TreeViewSettings::validStyle, failures);
    readText(doc, u"ToolTipText", s.toolTipText);
}

CoverChoice readCover(const IniFile& doc, Failures& failures)
{
    CoverChoice cover;
    if (std::optional<QString> name = doc.find(kCover, u"Template")) {
        if (FindCoverTemplate(*name))
            cover.templateName = std::move(*name);
        else
            settingUnread(failures);
    }
    cover.discTitle = doc.value(kCover, u"Title");
    cover.discId = doc.value(kCover, u"Identifier");
    if (const std::optional<QString> text = doc.find(kCover, u"TitleOnBooklet")) {
        if (!parseFlag(*text, &cover.titleOnBooklet))
            settingUnread(failures);
    }
    return cover;
}

// "node12" gives 12 and so on: the number exactly as the writer spells it,
// for the entry is looked up under the word and the decimal number. 0 for
// other keys, -1 for a number beyond any Count.
qint64 entryNumber(QStringView key, QStringView word)
{
    if (key.size() <= word.size() || !key.startsWith(word))
        return 0;
    const QStringView digits = key.sliced(word.size());
    if (digits.front() == u'0' || digits.size() > 10)
        return 0;
    qint64 n = 0;
    for (const QChar c : digits) {
        if (c < u'0' || c > u'9')
            return 0;
        n = n * 10 + (c.unicode() - u'0');
    }
    return n > std::numeric_limits<qint32>::max() ? -1 : n;
}

// An entry of [Nodes] under its number, in the order of the file.
struct Numbered
{
    quint32 number = 0;
    IniFile::Entry entry;
};

// The numbered entries of [Nodes] and its Count, gathered in two passes over
// the section (one to count them): a few bytes per entry, their values read
// only when their node is made.
struct NodeSection
{
    std::optional<IniFile::Entry> count; // the first
    std::vector<Numbered> nodes;
    std::vector<Numbered> images;
    std::vector<Numbered> styles;
    qint64 nodesBeyondAnyCount = 0;

    explicit NodeSection(const IniFile& doc)
    {
        // Counted first, so that each list takes its room once.
        std::array<size_t, 3> sizes{};
        doc.forEachEntry(kNodes, [&sizes](QStringView key, IniFile::Entry) {
            if (const auto [list, n] = listOf(key); list >= 0 && n > 0)
                ++sizes[size_t(list)];
        });
        const std::array<std::vector<Numbered>*, 3> lists{&nodes, &images, &styles};
        for (size_t i = 0; i < lists.size(); ++i)
            lists[i]->reserve(sizes[i]);
        doc.forEachEntry(kNodes, [&](QStringView key, IniFile::Entry entry) {
            if (key == u"count" && !count)
                count = entry;
            else if (const auto [list, n] = listOf(key); list >= 0 && n > 0)
                lists[size_t(list)]->push_back({quint32(n), entry});
            else if (list == 0 && n < 0)
                ++nodesBeyondAnyCount;
        });
        // By number; of entries with the same number, the first in the file.
        const auto byNumber = [](const Numbered& a, const Numbered& b) {
            return a.number != b.number ? a.number < b.number : a.entry.line < b.entry.line;
        };
        for (std::vector<Numbered>* list : lists)
            std::sort(list->begin(), list->end(), byNumber);
    }

    // Which list a key's entry goes to (-1 for none) and its number.
    static std::pair<int, qint64> listOf(QStringView key)
    {
        int list = 0;
        for (const QStringView word : {u"node", u"image", u"style"}) {
            if (const qint64 n = entryNumber(key, word); n != 0)
                return {list, n};
            ++list;
        }
        return {-1, 0};
    }
};

// The entry numbered `number` of a sorted list, its cursor moved past lower numbers.
std::optional<IniFile::Entry> entryFor(quint32 number, const std::vector<Numbered>& list,
                                       std::vector<Numbered>::const_iterator& at)
{
    while (at != list.cend() && at->number < number)
        ++at;
    if (at != list.cend() && at->number == number)
        return at->entry;
    return std::nullopt;
}

void readImages(const IniFile& doc, std::optional<IniFile::Entry> entry, NodeTree& tree, Node* node,
                Failures& failures)
{
    if (!entry) {
        failures.fail(load_result::BadImage);
        ++failures.report.picturesMissing;
        return;
    }
    const QStringList fields = doc.valueFields(*entry, '|', 3);
    const ImageRegistry* images = tree.imageList();
    auto set = [&](qsizetype i, const ImageRef& picture) {
        if (i == 0)
            tree.setImage(node, picture);
        else if (i == 1)
            tree.setSelectedImage(node, picture);
        else
            tree.setExpandedImage(node, picture);
    };
    bool unread = false;
    for (qsizetype i = 0; i < 3; ++i) {
        if (i >= fields.size()) {
            unread = true;
            continue;
        }
        if (fields.at(i).trimmed().isEmpty())
            continue; // no such picture
        qint32 position = 0;
        if (parseInteger(fields.at(i), &position) && images && images->positionOf(position) > 0)
            set(i, position);
        else
            unread = true;
    }
    if (unread) {
        failures.fail(load_result::BadImage);
        ++failures.report.picturesUnread;
    }
}

void readStyle(const IniFile& doc, std::optional<IniFile::Entry> entry, NodeTree& tree, Node* node,
               Failures& failures)
{
    if (!entry) {
        failures.fail(load_result::BadStyle);
        ++failures.report.stylesMissing;
        return;
    }
    const QStringList fields = doc.valueFields(*entry, '|', 5);
    bool unread = false;
    auto colour = [&](qsizetype i, void (NodeTree::*set)(Node*, Colour)) {
        qint32 number = 0;
        if (i < fields.size() && parseInteger(fields.at(i), &number))
            (tree.*set)(node, Colour(quint32(number)));
        else
            unread = true;
    };
    auto flag = [&](qsizetype i, void (NodeTree::*set)(Node*, bool)) {
        bool on = false;
        if (i < fields.size() && parseFlag(fields.at(i), &on))
            (tree.*set)(node, on);
        else
            unread = true;
    };
    colour(0, &NodeTree::setForeColor);
    colour(1, &NodeTree::setBackColor);
    flag(2, &NodeTree::setBold);
    flag(3, &NodeTree::setChecked);
    // The node has no children yet: the flag sticks and shows once they come.
    flag(4, &NodeTree::setExpanded);
    if (unread) {
        failures.fail(load_result::BadStyle);
        ++failures.report.stylesUnread;
    }
}

// Makes the node of one entry; null when it cannot be made.
Node* readNode(const QStringList& fields, NodeTree& tree, bool encoded, Failures& failures)
{
    Node* node = nullptr;
    auto text = [&](qsizetype i) { return encoded ? decodeField(fields.at(i)) : fields.at(i); };
    if (fields.size() >= 3 && fields.at(1) == u"ROOT") {
        node = tree.addRoot(text(2), text(0));
    } else if (qint32 parent = 0; fields.size() >= 3 && parseInteger(fields.at(1), &parent)) {
        if (const Node* relative = tree.nodeAt(parent))
            node = tree.addChild(relative, text(2), text(0));
    }
    if (!node) {
        failures.fail(load_result::NodeSkipped);
        ++failures.report.nodesLeftOut;
        return nullptr;
    }

    bool unread = fields.size() <= 3;
    if (!unread)
        tree.setTag(node, text(3));
    bool sorted = false;
    if (fields.size() > 4 && parseFlag(fields.at(4), &sorted))
        tree.setSorted(node, sorted);
    else
        unread = true;
    if (unread) {
        failures.fail(load_result::BadNodeField);
        ++failures.report.nodeFieldsUnread;
    }
    return node;
}

void readNodes(const IniFile& doc, const NodeSection& section, NodeTree& tree, bool blnStyle,
               bool blnImages, Failures& failures)
{
    LoadReport& report = failures.report;
    const bool encoded = doc.value(kFileInfo, u"Version") == kEncodedVersion;
    report.countUnread =
        !section.count || !parseInteger(doc.valueOf(*section.count), &report.count);
    if (report.countUnread)
        failures.fail(load_result::BadCount);
    const qint64 count = report.countUnread ? 0 : report.count;
    report.beyondCount = section.nodesBeyondAnyCount;

    // Entries numbered 1 to Count in turn; a missing one is a failed step.
    qint64 next = 1;
    auto image = section.images.cbegin();
    auto style = section.styles.cbegin();
    for (auto entry = section.nodes.cbegin(); entry != section.nodes.cend(); ++entry) {
        if (entry != section.nodes.cbegin() && entry->number == (entry - 1)->number)
            continue; // a later entry of the same number
        if (entry->number > count) {
            ++report.beyondCount;
            continue;
        }
        if (entry->number > next) {
            failures.fail(load_result::NodeSkipped);
            report.nodesMissing += entry->number - next;
        }
        next = entry->number + 1;
        if (tree.count() >= NodeTree::MaxNodes) { // the entry is not even looked at
            failures.fail(load_result::NodeSkipped);
            ++report.nodesLeftOut;
            continue;
        }
        Node* node = readNode(doc.valueFields(entry->entry, '|', 5), tree, encoded, failures);
        if (!node)
            continue;
        if (blnImages)
            readImages(doc, entryFor(entry->number, section.images, image), tree, node, failures);
        if (blnStyle)
            readStyle(doc, entryFor(entry->number, section.styles, style), tree, node, failures);
    }
    if (next <= count) {
        failures.fail(load_result::NodeSkipped);
        report.nodesMissing += count - next + 1;
    }
}

} // namespace

QString BoolToFlag(bool blnValue)
{
    return blnValue ? QStringLiteral("1") : QStringLiteral("0");
}

namespace {

void writeCover(IniWriter& w, const CoverChoice& cover)
{
    w.section(kCover);
    if (!cover.templateName.isEmpty())
        w.entry(u"Template", cover.templateName);
    if (!cover.discTitle.isEmpty())
        w.entry(u"Title", settingText(cover.discTitle));
    if (!cover.discId.isEmpty())
        w.entry(u"Identifier", settingText(cover.discId));
    if (cover.titleOnBooklet)
        w.entry(u"TitleOnBooklet", BoolToFlag(true));
}

IniWriter documentWriter(const NodeTree& tree, const TreeViewSettings& s, bool blnStyle,
                         bool blnImages, const CoverChoice* cover)
{
    const bool encoded = treeNeedsEncoding(tree);
    auto field = [encoded](const QString& text) { return encoded ? encodeField(text) : text; };

    IniWriter w;
    w.section(kFileInfo);
    w.entry(u"Type", kType);
    w.entry(u"Version", encoded ? kEncodedVersion : kPlainVersion);

    w.section(kTreeView);
    w.entry(u"Appearance", QString::number(s.appearance));
    w.entry(u"BorderStyle", QString::number(s.borderStyle));
    w.entry(u"Checkboxes", BoolToFlag(s.checkboxes));
    w.entry(u"FullRowSelect", BoolToFlag(s.fullRowSelect));
    w.entry(u"HideSelection", BoolToFlag(s.hideSelection));
    if (!s.imageList.isEmpty())
        w.entry(u"ImageList", settingText(s.imageList));
    w.entry(u"Indentation", formatIndentation(s.indentationTwips));
    w.entry(u"LabelEdit", QString::number(s.labelEdit));
    w.entry(u"LineStyle", QString::number(s.lineStyle));
    w.entry(u"PathSeparator", settingText(s.pathSeparator));
    w.entry(u"Sorted", BoolToFlag(s.sorted));
    w.entry(u"Style", QString::number(s.style));
    w.entry(u"ToolTipText", settingText(s.toolTipText));

    w.section(kNodes);
    w.entry(u"Count", QString::number(tree.count()));
    const ImageRegistry* images = tree.imageList();
    auto position = [images](const ImageRef& ref) {
        const int p = images ? images->positionOf(ref) : 0;
        return p > 0 ? QString::number(p) : QString();
    };
    for (int i = 1; i <= tree.count(); ++i) {
        const Node* node = tree.nodeAt(i);
        const QString number = QString::number(i);
        const QString parent =
            node->parent() ? QString::number(node->parent()->index()) : QStringLiteral("ROOT");
        w.entry(QString(QStringLiteral("Node") + number),
                joinFields({field(node->text()), parent, field(node->key()), field(node->tag()),
                            BoolToFlag(node->sorted())}));
        if (blnImages) {
            w.entry(QString(QStringLiteral("Image") + number),
                    joinFields({position(node->image()), position(node->selectedImage()),
                                position(node->expandedImage())}));
        }
        if (blnStyle) {
            w.entry(
                QString(QStringLiteral("Style") + number),
                joinFields({QString::number(qint32(node->foreColor())),
                            QString::number(qint32(node->backColor())), BoolToFlag(node->bold()),
                            BoolToFlag(node->checked()), BoolToFlag(node->expanded())}));
        }
    }
    if (cover && !cover->isDefault())
        writeCover(w, *cover);
    return w;
}

} // namespace

QByteArray TreeViewDocument(const NodeTree& tree, const TreeViewSettings& settings, bool blnStyle,
                            bool blnImages, const CoverChoice* cover)
{
    return documentWriter(tree, settings, blnStyle, blnImages, cover).toUtf8();
}

bool WriteTreeViewTo(FileReplacement& file, const NodeTree& tree, const TreeViewSettings& settings,
                     bool blnStyle, bool blnImages, const CoverChoice* cover,
                     const QByteArray& sections)
{
    return file.write(TreeViewDocument(tree, settings, blnStyle, blnImages, cover) + sections);
}

bool SaveTreeViewInFile(const NodeTree& tree, const TreeViewSettings& settings,
                        const QString& strFile, bool blnStyle, bool blnImages, QString* error,
                        const CoverChoice* cover, const QByteArray& sections)
{
    FileReplacement file(strFile);
    const bool saved =
        file.begin() &&
        WriteTreeViewTo(file, tree, settings, blnStyle, blnImages, cover, sections) &&
        file.commit();
    if (!saved && error)
        *error = file.errorString();
    return saved;
}

qint32 LoadTreeViewFromFile(NodeTree& tree, TreeViewSettings& settings, const QString& strFile,
                            bool blnProperties, bool blnStyle, bool blnImages, LoadReport* report,
                            CoverChoice* cover, const std::function<void(const IniFile&)>& alsoRead)
{
    LoadReport unused;
    LoadReport& r = report ? *report : unused;
    r = LoadReport();
    // Memory running out while the file is read and gathered changes nothing;
    // the nodes themselves are few.
    try {
        const std::optional<IniFile> doc = IniFile::load(strFile, &r.error);
        if (!doc)
            return load_result::NotADocument;
        const qint32 result = LoadTreeViewFromIni(tree, settings, *doc, blnProperties, blnStyle,
                                                  blnImages, &r, cover);
        if (result != load_result::NotADocument && alsoRead)
            alsoRead(*doc);
        return result;
    } catch (const std::bad_alloc&) {
        r.error = QStringLiteral("out of memory");
        return load_result::NotADocument;
    }
}

qint32 LoadTreeViewFromIni(NodeTree& tree, TreeViewSettings& settings, const IniFile& doc,
                           bool blnProperties, bool blnStyle, bool blnImages, LoadReport* report,
                           CoverChoice* cover)
{
    if (doc.value(kFileInfo, u"Type") != kType)
        return load_result::NotADocument;
    const NodeSection nodes(doc);

    LoadReport unused;
    Failures failures(report ? *report : unused);
    failures.report.mixedEncodings = doc.mixesEncodings();
    if (blnProperties) {
        tree.clear();
        readSettings(doc, settings, tree, failures);
        if (cover)
            *cover = readCover(doc, failures);
    }
    readNodes(doc, nodes, tree, blnStyle, blnImages, failures);
    return failures.latest();
}

QString ReadIniValue(const QString& strFile, const QString& strSection, const QString& strKey,
                     const QString& strDefault)
{
    const std::optional<IniFile> ini = IniFile::load(strFile);
    return ini ? ini->value(strSection, strKey, strDefault) : strDefault;
}

} // namespace kvx
