#include "JacketTestTree.h"
#include "print/RowsOverflow.h"
#include "workspace/Workspace.h"

#include <QApplication>
#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QGraphicsView>
#include <QLabel>
#include <QPrintPreviewDialog>
#include <QPrinterInfo>
#include <QTemporaryDir>
#include <QTimer>

using namespace kvx;
using Window = test::PrintWindow;

class tst_JacketPreview : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init()
    {
        if (!QPrinterInfo::availablePrinters().isEmpty())
            QSKIP("a system printer is installed here");
    }

    // Past the capacity the count turns red and "Imprimer" asks once, naming
    // the rows left out; up to it, neither. (Printing after a yes is
    // tst_JacketCommands'.) The print here stops at its file dialog.
    void rowsPastTheCapacity()
    {
        Window w;
        test::buildRows(w.window.tree(), 160);
        for (const char* option : {"opLines(1)", "opColum(3)", "opColum(4)"}) {
            w.click(option); // 40 x 3 = 120, 40 x 4 = 160, 40 x 3 again
            w.window.workspace().RefreshElementCount();
            const bool over = QString(option) != "opColum(3)";
            QCOMPARE(w.control<QLabel>("lblNbElements")->palette().color(QPalette::WindowText) ==
                         QColor(OverflowRgb),
                     over);
            w.dialogs.calls.clear();
            w.click("cmdPrint"); // the question, if any, is cancelled
            QCOMPARE(w.dialogs.callsOf("ShowSave").size(), size_t(!over));
            const auto asked = w.dialogs.callsOf("MsgBox");
            QCOMPARE(asked.size(), size_t(over));
            QVERIFY(!over || asked[0].args[0].startsWith("L'arbre montre 160 lignes, la jaquette "
                                                         "n'en contient que 120 : les 40 "));
        }
    }

    // The preview paints the page the print prints: its page drawn at 144
    // dpi and the printed PDF read back at 144 dpi, compared in squares of 8
    // pixels (1.4 mm) that smooth out how two painters draw the same glyph,
    // picture or hairline. A row, a colour or the frame out of place would
    // differ by far more.
    void previewShowsThePrintedPage()
    {
        Window w;
        test::buildRows(w.window.tree(), 70);
        w.click("opColum(3)");
        QImage shown;
        std::function<void()> look = [&] {
            auto* preview = qobject_cast<QPrintPreviewDialog*>(QApplication::activeModalWidget());
            QGraphicsScene* scene =
                preview ? preview->findChild<QGraphicsView*>()->scene() : nullptr;
            if (!scene || scene->items().isEmpty()) {
                QTimer::singleShot(20, &w.window, look); // until it shows its page
                return;
            }
            const QPrinter& printer = *preview->printer();
            const QSizeF paper = printer.pageLayout().fullRectPixels(printer.resolution()).size();
            shown = QImage((paper * 144 / printer.resolution()).toSize(), QImage::Format_RGB32);
            shown.fill(Qt::white);
            QPainter painter(&shown);
            painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
            const QGraphicsItem* page = scene->items().constFirst();
            scene->render(&painter, shown.rect(), page->mapRectToScene(QRectF({}, paper)));
            preview->reject();
        };
        QTimer::singleShot(0, &w.window, look);
        w.click("cmdPreview");
        QTemporaryDir dir;
        const QString pdf = dir.filePath("j.pdf");
        w.dialogs.savePaths.push_back(pdf);
        w.click("cmdPrint");
        QProcess::execute("pdftoppm", {"-r", "144", "-png", "-singlefile", pdf, pdf});
        const auto squares = [](const QImage& page) {
            return page.convertToFormat(QImage::Format_RGB32)
                .scaled(page.size() / 8, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        };
        const QImage a = squares(shown), b = squares(QImage(pdf + ".png"));
        QCOMPARE(a.size(), b.size());
        int inked = 0;
        int worst = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x) {
                const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
                inked += qGray(q) < 230;
                worst = qMax(worst, qAbs(qRed(p) - qRed(q)) + qAbs(qGreen(p) - qGreen(q)) +
                                        qAbs(qBlue(p) - qBlue(q)));
            }
        QVERIFY(inked > 2000);
        QVERIFY2(worst < 120, qPrintable(QString::number(worst)));
    }
};

QTEST_MAIN(tst_JacketPreview)
#include "tst_JacketPreview.moc"
