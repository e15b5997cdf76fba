// libFuzzer target for the tree document reader: whatever the bytes, reading
// must not crash, must leave a well-formed tree, and what it read must save
// and read back to the same tree.
#include "doc/IniFile.h"
#include "doc/LoadReport.h"
#include "doc/TreeViewInFile.h"
#include "doc/TreeViewSettings.h"
#include "tree/ImageRegistry.h"
#include "tree/NodeTree.h"
#include "util/Sanitizers.h"

#include <QStringList>
#include <cstdint>
#include <cstdlib>
#include <dlfcn.h>

using namespace kvx;

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

QStringList describe(const NodeTree& tree, const ImageRegistry& images)
{
    QStringList out;
    for (int i = 1; i <= tree.count(); ++i) {
        const Node* n = tree.nodeAt(i);
        check(n->index() == i);
        check(!n->parent() || n->parent()->index() < i);
        check(tree.siblingsOf(n).at(size_t(n->row())) == n);
        out.append(QStringList{
            n->text(), n->key(), n->tag(), QString::number(n->parent() ? n->parent()->index() : 0),
            QString::number(images.positionOf(n->image())),
            QString::number(images.positionOf(n->selectedImage())),
            QString::number(images.positionOf(n->expandedImage())), QString::number(n->foreColor()),
            QString::number(n->backColor()),
            QString::number(n->bold() + 2 * n->checked() + 4 * n->expanded() + 8 * n->sorted()),
            QString::number(n->row())}
                       .join(u'\x1f'));
    }
    return out;
}

} // namespace

// The build knows it checks memory, whichever compiler made it: the command
// line relies on that to free what it would otherwise leave to the system.
extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    check(kAddressSanitizer == (::dlsym(RTLD_DEFAULT, "__asan_init") != nullptr));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const ImageRegistry images = [] {
        ImageRegistry list = ImageRegistry::withBuiltIns();
        list.add(QStringLiteral("jpg"));
        list.add(QStringLiteral("txt"));
        return list;
    }();

    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    NodeTree tree;
    tree.setImageList(&images);
    tree.addRoot(QStringLiteral("before"), QStringLiteral("before"));
    TreeViewSettings settings;
    LoadReport report;
    const qint32 result =
        LoadTreeViewFromIni(tree, settings, IniFile::parse(bytes), true, true, true, &report);
    check(result >= load_result::NotADocument && result <= load_result::BadStyle);
    if (result == load_result::NotADocument) {
        check(tree.count() == 1 && tree.nodeAt(1)->key() == u"before");
        check(settings == TreeViewSettings());
        return 0;
    }
    check(tree.count() <= NodeTree::MaxNodes);
    // Whatever failed is told; nothing else is.
    check(describeLoadReport(report).isEmpty() ==
          (result == load_result::Ok && !report.mixedEncodings && report.beyondCount == 0));
    const QStringList first = describe(tree, images);

    const QByteArray saved = TreeViewDocument(tree, settings, true, true);
    NodeTree again;
    again.setImageList(&images);
    TreeViewSettings settingsAgain;
    check(LoadTreeViewFromIni(again, settingsAgain, IniFile::parse(saved), true, true, true) ==
          load_result::Ok);
    check(describe(again, images) == first);
    return 0;
}
