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

// The rows the painter draws off the view are the window's own, pixel for
// pixel at 96 dpi, whatever the view's settings: a styled tree with bold,
// colours, a label too long for the view, markers open and closed, check
// boxes, file pictures and nodes deeper than the view is wide.
class tst_RowPainter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
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

QTEST_MAIN(tst_RowPainter)
#include "tst_RowPainter.moc"
