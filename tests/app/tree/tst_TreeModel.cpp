#include "doc/TreeViewAppearance.h"
#include "doc/TreeViewSettings.h"
#include "print/RowList.h"
#include "tree/ImageList.h"
#include "tree/NodeTree.h"
#include "tree/NodeTreeView.h"
#include "tree/TreeModel.h"
#include "tree/WindowFont.h"

#include <QPainter>
#include <QTest>

using namespace kvx;

// Beyond the window's steps (where a tester watches too, and the rows' texts
// and open states are compared after every click): edits in one bulk change reach the model as one
// reset, and an index held meanwhile names no removed node; the roles follow the node.
class TestTreeModel : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void modelFollowsTheTree()
    {
        ImageRegistry registry = ImageRegistry::withBuiltIns();
        ImageList images{registry};
        NodeTree tree;
        TreeModel model{tree, images};
        NodeTreeView view;
        tree.setImageList(&images.registry());
        model.attachView(&view);
        Node* root = tree.addRoot("/d/", "/d/", image::ClosedFolder, image::SelectedFolder);
        Node* sub = tree.addChild(root, "/d/sub/", "sub", image::ClosedFolder);
        tree.addChild(root, "/d/a/", "a", image::ClosedFolder);
        tree.setExpanded(root, true);
        const QModelIndex held = model.indexOf(sub);
        {
            BulkChange bulk(tree);
            tree.addChild(root, "/d/b/", "b", image::ClosedFolder);
            tree.remove(sub);
            QVERIFY(!model.nodeOf(held));
            tree.setExpanded(root, false);
        }
        QVERIFY(!view.isExpanded(model.indexOf(root)));
        QCOMPARE(model.rowCount(model.indexOf(root)), 2);

        const auto shows = [&](const Node* node, const ImageRef& ref) {
            const QIcon icon = model.indexOf(node).data(Qt::DecorationRole).value<QIcon>();
            return icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32) ==
                   images.picture(ref).toImage().convertToFormat(QImage::Format_ARGB32);
        };
        Node* file = tree.addChild(root, QString(), "song.mp3", "fil");
        const QModelIndex at = model.indexOf(file);
        QCOMPARE(at.data(Qt::SizeHintRole).toSize().height(), 16);
        QVERIFY(shows(file, "fil"));
        QVERIFY(!at.data(Qt::BackgroundRole).isValid()); // the window colour: the view's own
        tree.setBold(file, true);
        tree.setForeColor(file, rgbColour(255, 0, 0));
        tree.setBackColor(file, kSysButtonFace);
        QVERIFY(at.data(Qt::FontRole).value<QFont>().bold());
        QCOMPARE(at.data(Qt::ForegroundRole).value<QBrush>().color(), QColor(255, 0, 0));
        QCOMPARE(at.data(Qt::BackgroundRole).value<QBrush>().color(),
                 view.palette().color(QPalette::Button));
        // A system colour the program does not know: the normal text and background.
        tree.setForeColor(file, 0x80000030);
        tree.setBackColor(file, 0x80001005);
        QCOMPARE(at.data(Qt::ForegroundRole).value<QBrush>().color(),
                 view.palette().color(QPalette::Text));
        QCOMPARE(at.data(Qt::BackgroundRole).value<QBrush>().color(),
                 view.palette().color(QPalette::Base));
        model.setCheckboxes(true);
        QCOMPARE(model.indexOf(file).data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
        QVERIFY(model.setData(model.indexOf(file), Qt::Checked, Qt::CheckStateRole));
        QVERIFY(file->checked());

        // The folder's picture: plain, expanded, selected.
        QVERIFY(shows(root, image::ClosedFolder));
        tree.setExpandedImage(root, image::OpenFolderBw);
        tree.setExpanded(root, true);
        QVERIFY(shows(root, image::OpenFolderBw));
        tree.setSelectedItem(root);
        QVERIFY(shows(root, image::SelectedFolder));
    }

    // The rows the painter draws off the view are the window's own, pixel
    // for pixel at 96 dpi, whatever the view's settings: a styled tree with
    // bold, colours, a label too long for the view, markers open and closed,
    // check boxes, file pictures and nodes deeper than the view is wide.
    void sameAsTheView_data()
    {
        QTest::addColumn<int>("style");
        QTest::addColumn<float>("indentation");
        QTest::addColumn<bool>("checkboxes");
        QTest::newRow("pictures, buttons, lines") << 7 << 285.f << false;
        QTest::newRow("text only") << 0 << 285.f << false;
        QTest::newRow("check boxes, wide") << 3 << 566.9f << true;
        QTest::newRow("lines without buttons") << 5 << 150.f << false;
    }
    void sameAsTheView()
    {
        ImageRegistry keys = ImageRegistry::withBuiltIns();
        ImageList images(keys);
        NodeTree tree;
        tree.setImageList(&keys);
        Node* root = tree.addRoot("/d/", "/d/", image::OpenFolder);
        Node* bold = tree.addChild(root, "/d/b/", "Gras", image::ClosedFolder);
        tree.setBold(bold, true);
        tree.addChild(bold, "/d/b/x/", "caché", image::ClosedFolder); // closed marker
        Node* colours = tree.addChild(root, "/d/c/", "Couleurs", image::ClosedFolder);
        tree.setForeColor(colours, rgbColour(200, 0, 0));
        tree.setBackColor(colours, rgbColour(255, 255, 0));
        tree.setChecked(colours, true);
        tree.addChild(root, "", QString("Un nom bien trop long ").repeated(4), "fil");
        for (Node* deep = root; deep->depth() < 24;)
            tree.setExpanded(
                deep = tree.addChild(deep, deep->key() + "n/", "niveau", image::OpenFolder), true);
        tree.setExpanded(root, true);

        QFETCH(int, style);
        QFETCH(float, indentation);
        QFETCH(bool, checkboxes);
        TreeModel model(tree, images);
        NodeTreeView view;
        view.setFont(WindowFont());
        view.resize(400, 600);
        model.attachView(&view);
        TreeViewSettings settings;
        settings.style = style;
        settings.indentationTwips = indentation;
        settings.checkboxes = checkboxes;
        applyTreeViewSettings(settings, view, model);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        const QImage shown =
            view.viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);

        RowList rows;
        rows.NumberVisibleNodes(tree);
        RowAppearance look = view.rowAppearance();
        look.rowWidth = shown.width();
        const QSizeF area(shown.width(), rows.VisibleNodeCount() * 16);
        QImage drawn(area.toSize(), QImage::Format_RGB32);
        QPainter painter(&drawn);
        RowPainter(tree, images, look)
            .paintRows(painter, rows.rows(), 1, rows.VisibleNodeCount(), QRectF({}, area), area);
        painter.end();
        QCOMPARE(drawn, shown.copy(drawn.rect()));
    }
};

QTEST_MAIN(TestTreeModel)
#include "tst_TreeModel.moc"
