#include "app/MainWindowFixture.h"
#include "dialogs/cOpen.h"
#include "lang/InterfaceLanguage.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QTest>
#include <QTimer>

using namespace kvx;

namespace {

// Every text the active dialog shows: its title, labels, buttons and frames.
QStringList dialogTexts()
{
    QWidget* dialog = QApplication::activeModalWidget();
    if (!dialog)
        return {};
    QStringList texts{dialog->windowTitle()};
    for (const QLabel* label : dialog->findChildren<QLabel*>())
        texts << label->text();
    for (const QAbstractButton* button : dialog->findChildren<QAbstractButton*>())
        texts << button->text();
    for (const QGroupBox* group : dialog->findChildren<QGroupBox*>())
        texts << group->title();
    texts.removeAll(QString());
    return texts;
}

// Shows a dialog and closes it once it is up, keeping what it showed.
QStringList textsOf(const std::function<void()>& show)
{
    QStringList texts;
    std::function<void()> look = [&] {
        texts = dialogTexts();
        if (texts.isEmpty())
            QTimer::singleShot(10, look);
        else
            QApplication::activeModalWidget()->close();
    };
    QTimer::singleShot(0, look);
    show();
    return texts;
}

} // namespace

class tst_InterfaceLanguage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // Qt's own dialogs speak French from the start and English once
    // English.lng is chosen; so do the program's messages, and the language
    // menu marks the language in use.
    void dialogsFollowTheLanguage()
    {
        test::MainWindowFixture w;
        w.window.Form_Load();
        cOpen real(QStringLiteral(KVX_TEST_PROGRAM_DIR));
        real.setMehWnd(&w.window);
        QPrinter printer;
        struct Dialog
        {
            std::function<void()> show;
            QStringList french, english; // a text it shows in each language
        };
        const std::vector<Dialog> dialogs{
            {[&] {
                 real.MsgBox("?", "KVX", MessageIcon::Question, MessageButtons::SaveDiscardCancel);
             },
             {"Enregistrer", "Annuler"},
             {"Save", "Cancel"}},
            {[&] { (void)real.ShowColor(); }, {"Sélectionner une couleur"}, {"Select Color"}},
            {[&] { (void)real.ShowOpen("*.KVX|*.kvx", "T", QString()); },
             {"Voir dans :"},
             {"Look in:"}},
            {[&] { (void)real.BrowseFolder("T"); }, {"&Choisir"}, {"&Choose"}},
            {[&] { QPrintDialog(&printer, &w.window).exec(); }, {"Im&primer"}, {"&Print"}},
            {[&] { QPrintPreviewDialog(&printer, &w.window).exec(); },
             {"Aperçu avant impression"},
             {"Print Preview"}},
        };
        const auto inUse = [&] {
            QStringList marked;
            for (const QAction* item : w.window.MNlangue()->actions())
                if (item->isChecked())
                    marked << item->text();
            return marked;
        };
        QCOMPARE(inUse(), QStringList{"Francais.lng"});
        const MessageTexts builtIn;
        for (const bool english : {false, true}) {
            const QString file = english ? "English.lng" : "Francais.lng";
            for (QAction* item : w.window.MNlangue()->actions())
                if (item->text() == file)
                    item->trigger();
            QCOMPARE(inUse(), QStringList{file});
            // The template holds the built-in texts; English translates them all.
            for (int i = 0; i < int(Msg::Count); ++i) {
                const Msg id = Msg(i);
                QCOMPARE(w.window.language().texts().text(id) == builtIn.text(id),
                         !english || id == Msg::ChooseFolder);
            }
            for (const Dialog& dialog : dialogs) {
                const QStringList shown = textsOf(dialog.show);
                for (const QString& text : english ? dialog.english : dialog.french)
                    QVERIFY2(shown.contains(text), qPrintable(shown.join('|')));
            }
            w.control<QAction>("mnuLoad")->trigger();
            QCOMPARE(w.dialogs.calls.back().args.at(1), english ? "Open" : "Ouvrir");
        }
    }
};

QTEST_MAIN(tst_InterfaceLanguage)
#include "tst_InterfaceLanguage.moc"
