#include "dialogs/cOpen.h"

#include <QAbstractButton>
#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace kvx;

namespace {

// Acts on the next modal dialog as soon as it is shown.
void whenShown(std::function<void(QWidget*)> act)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, act] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            act(dialog);
        }
    });
    timer->start();
}

void typeAndAccept(QWidget* widget, const QString& name)
{
    auto* dialog = qobject_cast<QFileDialog*>(widget);
    QVERIFY(dialog);
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    QVERIFY(edit);
    edit->setText(name);
    QMetaObject::invokeMethod(dialog, "accept");
}

void reject(QWidget* widget)
{
    qobject_cast<QDialog*>(widget)->reject();
}

} // namespace

class TestCOpen : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void saveAppendsTheExtension_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("bare") << "Arbre"
                              << "Arbre.kvx";
        QTest::newRow("right extension") << "Arbre.kvx"
                                         << "Arbre.kvx";
        QTest::newRow("capitals") << "Arbre.KVX"
                                  << "Arbre.KVX.kvx";
    }
    void saveAppendsTheExtension()
    {
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        QTemporaryDir folder;
        cOpen dialogs(folder.path());
        whenShown([typed](QWidget* d) { typeAndAccept(d, typed); });
        QCOMPARE(dialogs.ShowSave("*.KVX|*.kvx", "Save", folder.path()),
                 folder.path() + "/" + expected);
    }

    void cancelGivesNothing()
    {
        cOpen dialogs(QDir::tempPath());
        whenShown(reject);
        QCOMPARE(dialogs.ShowColor(), -1);
        whenShown(reject);
        QCOMPARE(dialogs.ShowOpen(QString(), "Open", QString()), QString());
        whenShown(reject);
        QCOMPARE(dialogs.ShowSave("*.KVX|*.kvx", "Save", QString()), QString());
        whenShown(reject);
        QCOMPARE(dialogs.BrowseFolder("Choose a folder"), QString());
        whenShown(reject);
        QCOMPARE(dialogs.InputBox("Fichiers", "*.zip", "*.zip"), std::nullopt);
    }

    void colourBlackIsAColour()
    {
        cOpen dialogs(QDir::tempPath());
        whenShown([](QWidget* d) {
            auto* dialog = qobject_cast<QColorDialog*>(d);
            dialog->setCurrentColor(Qt::black);
            dialog->accept();
        });
        QCOMPARE(dialogs.ShowColor(), 0);
        whenShown([](QWidget* d) {
            auto* dialog = qobject_cast<QColorDialog*>(d);
            dialog->setCurrentColor(QColor(255, 128, 0));
            dialog->accept();
        });
        QCOMPARE(dialogs.ShowColor(), 0x000080FF);
    }

    void openUsesTheProgramFolderAndRemembersTheFilter()
    {
        QTemporaryDir program;
        cOpen dialogs(program.path());
        const QString filter = "Trees|*.kvx|Text|*.txt;*.text";
        QString shownFolder;
        QStringList shownFilters;
        whenShown([&](QWidget* d) {
            auto* dialog = qobject_cast<QFileDialog*>(d);
            shownFolder = dialog->directory().absolutePath();
            shownFilters = dialog->nameFilters();
            dialog->selectNameFilter(dialog->nameFilters().at(1));
            typeAndAccept(d, "new name");
        });
        // A name that does not exist is accepted by the open dialog.
        QCOMPARE(dialogs.ShowOpen(filter, "Open", QString()), program.path() + "/new name");
        QCOMPARE(shownFolder, QDir(program.path()).absolutePath());
        QCOMPARE(shownFilters, (QStringList{"Trees (*.kvx)", "Text (*.txt *.text)"}));
        QCOMPARE(dialogs.selectedFilter(), 2);

        QString preselected;
        whenShown([&](QWidget* d) {
            preselected = qobject_cast<QFileDialog*>(d)->selectedNameFilter();
            typeAndAccept(d, "list");
        });
        QCOMPARE(dialogs.ShowSave(filter, "Save", program.path()), program.path() + "/list.txt");
        QVERIFY2(preselected.startsWith("Text"), qPrintable(preselected));
    }

    void emptyOpenFilterOffersAllFiles()
    {
        cOpen dialogs(QDir::tempPath());
        QStringList shown;
        whenShown([&](QWidget* d) {
            shown = qobject_cast<QFileDialog*>(d)->nameFilters();
            reject(d);
        });
        QCOMPARE(dialogs.ShowOpen(QString(), "Open", QString()), QString());
        QCOMPARE(shown, QStringList{"All Files (*.*) (*.*)"});
    }

    void inputAndMessageBoxes()
    {
        cOpen dialogs(QDir::tempPath());
        whenShown([](QWidget* d) {
            auto* dialog = qobject_cast<QInputDialog*>(d);
            QCOMPARE(dialog->textValue(), QString("*.zip"));
            dialog->setTextValue(QString());
            dialog->accept();
        });
        QCOMPARE(dialogs.InputBox("Fichiers \"Archives\"", "*.zip", "*.zip"), QString());
        whenShown([](QWidget* d) {
            auto* box = qobject_cast<QMessageBox*>(d);
            QCOMPARE(box->windowTitle(), QString("KVX"));
            QCOMPARE(box->icon(), QMessageBox::Warning);
            box->button(QMessageBox::No)->click();
        });
        QCOMPARE(
            dialogs.MsgBox("Sure?", "KVX", MessageIcon::Exclamation, MessageButtons::YesNoCancel),
            MessageResult::No);
    }
};

QTEST_MAIN(TestCOpen)
#include "tst_cOpen.moc"
