#include "dialogs/cOpen.h"
#include "lang/InterfaceLanguage.h"

#include <QAbstractButton>
#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace kvx;

namespace {

// Acts on the modal dialog that the next call shows.
template <class Dialog = QDialog, class Act> void whenShown(Act act)
{
    QTimer::singleShot(0, [act] { act(qobject_cast<Dialog*>(QApplication::activeModalWidget())); });
}

// Notes the folder and filters shown, then accepts `name`.
void typeName(QStringList& shown, const QString& name)
{
    whenShown<QFileDialog>([&shown, name](QFileDialog* dialog) {
        shown = QStringList{dialog->directory().absolutePath()} + dialog->nameFilters();
        dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(name);
        QMetaObject::invokeMethod(dialog, "accept");
    });
}

} // namespace

// The program's dialogs, shown for real and answered as a user would.
class TestCOpen : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void realDialogs()
    {
        QTemporaryDir program;
        const QString home = QDir(program.path()).absolutePath(), trees = home + "/Trees";
        QVERIFY(QDir(home).mkdir("Trees"));
        const QString filter = "*.KVX|*.kvx";
        cOpen dialogs(program.path());
        QStringList shown; // folder, filters

        // Open starts in the program's folder and accepts a name that does not exist.
        typeName(shown, "new name");
        QCOMPARE(dialogs.ShowOpen(filter, "Ouvrir", QString()), home + "/new name");
        QCOMPARE(shown, (QStringList{home, "*.KVX (*.kvx)"}));
        // Save opens in the folder given and appends the filter's extension.
        typeName(shown, "jaquette");
        QCOMPARE(dialogs.ShowSave("Document PDF|*.pdf", "Enregistrer", trees),
                 trees + "/jaquette.pdf");
        QCOMPARE(shown, (QStringList{trees, "Document PDF (*.pdf)"}));
        // The prompt shows a long pattern whole.
        const QString pattern = QStringList(9, "*.jpeg").join(';');
        whenShown<QInputDialog>([&shown, pattern](QInputDialog* dialog) {
            const auto* field = dialog->findChild<QLineEdit*>();
            shown = {
                QString::number(field->width() >= field->fontMetrics().horizontalAdvance(pattern))};
            dialog->accept();
        });
        QCOMPARE(dialogs.InputBox("Fichiers \"images\"", "*.jpeg", pattern), pattern);
        QCOMPARE(shown, QStringList{"1"});

        // A cancel gives nothing, in every dialog; Qt's own texts are French
        // at start, English after English.lng. Black is a colour; colours
        // come as 0x00BBGGRR.
        const std::vector<std::function<bool()>> cancelled{
            [&] { return dialogs.ShowColor() == -1; },
            [&] { return dialogs.ShowOpen(filter, "Open", QString()).isEmpty(); },
            [&] { return dialogs.ShowSave(filter, "Save", QString()).isEmpty(); },
            [&] { return dialogs.BrowseFolder("Choose a folder").isEmpty(); },
            [&] { return !dialogs.InputBox("Fichiers", "*.zip", "*.zip"); },
            [&] {
                return dialogs.MsgBox("?", "KVX", MessageIcon::Question,
                                      MessageButtons::SaveDiscardCancel) == MessageResult::Cancel;
            }};
        InterfaceLanguage language;
        for (const QString cancel : {"Annuler", "Cancel"}) {
            if (cancel == "Cancel")
                language.apply(KVX_TEST_PROGRAM_DIR "/English.lng");
            for (const auto& call : cancelled) {
                QStringList seen;
                whenShown([&seen](QDialog* dialog) {
                    for (const QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
                        seen << button->text();
                    dialog->reject();
                });
                QVERIFY(call());
                QVERIFY2(seen.contains(cancel), qPrintable(seen.join('|')));
            }
        }
        for (const QColor colour : {QColor(Qt::black), QColor(255, 128, 0)}) {
            whenShown<QColorDialog>([colour](QColorDialog* dialog) {
                dialog->setCurrentColor(colour);
                dialog->accept();
            });
            QCOMPARE(dialogs.ShowColor(), colour == Qt::black ? 0 : 0x000080FF);
        }
        whenShown<QMessageBox>([](QMessageBox* box) {
            QVERIFY(box->windowTitle() == "KVX" && box->icon() == QMessageBox::Warning);
            box->button(QMessageBox::No)->click();
        });
        QCOMPARE(
            dialogs.MsgBox("Sure?", "KVX", MessageIcon::Exclamation, MessageButtons::YesNoCancel),
            MessageResult::No);
    }
};

QTEST_MAIN(TestCOpen)
#include "tst_cOpen.moc"
