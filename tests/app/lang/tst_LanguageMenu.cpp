#include "app/MainWindowFixture.h"
#include "app/support/RecordingLauncher.h"
#include "lang/LanguageMenu.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

using namespace kvx;

// The main window over a temporary program folder; each language file there
// translates cmdPrint into its own name.
struct Window : QTemporaryDir, test::MainWindowFixture
{
    RecordingLauncher launcher;

    explicit Window(const QStringList& files) : MainWindowFixture(QTemporaryDir::path())
    {
        QDir(path()).mkdir(QStringLiteral("ico"));
        for (const QString& name : files)
            write(name, "[frMain]\ncmdPrint.Caption=" + name.toUtf8() + '\n');
        window.languageMenu().setShellLauncher(&launcher);
        window.Form_Load();
    }
    void write(const QString& name, const QByteArray& text)
    {
        QFile file(filePath(name));
        QVERIFY(file.open(QIODevice::Append) && file.write(text));
    }
    QString print() const { return control<QAbstractButton>("cmdPrint")->text(); }
    void trigger(const QString& name) { control<QAction>(name)->trigger(); }
    // The language items as "caption|*checked caption|...".
    QString items() const
    {
        QStringList shown;
        for (const QAction* action : window.MNlangue()->actions()) {
            if (action->isSeparator())
                break;
            if (action->objectName() == QStringLiteral("MNlangueChoice(%1)").arg(shown.size()))
                shown.append((action->isChecked() ? "*" : "") + action->text());
        }
        return shown.join('|');
    }
};

class TestLanguageMenu : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { QApplication::setApplicationName(QStringLiteral("KVX")); }

    // The items are the files LanguageList finds, French's checked at start.
    // Each applies the file it shows, odd characters included, even once the
    // first file has renamed the second item, and alone carries the mark.
    // The language last chosen is the one the next start shows.
    void itemsApplyTheirFiles()
    {
        const QStringList files{"English.lng", "español & co.lng", "Francais.lng"};
        Window w(files);
        QCOMPARE(w.items(), "English.lng|español && co.lng|*Francais.lng");
        w.write(files[0], "MNlangueChoice(1).Caption=renamed\n");
        const QStringList after{"*English.lng|renamed|Francais.lng",
                                "English.lng|*renamed|Francais.lng",
                                "English.lng|renamed|*Francais.lng"};
        for (int i = 0; i < 3; ++i) {
            w.trigger(QStringLiteral("MNlangueChoice(%1)").arg(i));
            QCOMPARE(w.print(), files[i]);
            QCOMPARE(w.items(), after[i]);
        }
        w.trigger(QStringLiteral("MNlangueChoice(1)"));
        const Window again(files);
        QCOMPARE(again.print(), files[1]);
        QCOMPARE(again.items(), "English.lng|*español && co.lng|Francais.lng");
    }

    // Without language files the menu holds "#", which does nothing. The menu
    // opens below its button. "Autre" tells the user to save a translation in
    // their own language folder, then opens the template, even a missing one.
    // (tst_frMain opens the About window.)
    void otherItems()
    {
        Window w({});
        w.trigger("MNlangueChoice(0)");
        QCOMPARE(w.items(), "#");
        QCOMPARE(w.print(), "I&mprimer");
        w.window.move(40, 30);
        auto* button = w.control<QWidget>("cmdTranslate");
        QTest::mouseClick(button, Qt::LeftButton, {}, {3, 3});
        QTRY_VERIFY(w.window.MNlangue()->isVisible());
        QCOMPARE(w.window.MNlangue()->pos(), button->mapToGlobal(QPoint(0, button->height())));
        w.window.MNlangue()->hide();

        w.trigger("MNlangueOther");
        const QString path = w.filePath(QStringLiteral("Francais.lng"));
        QCOMPARE(w.dialogs.calls.size(), 1u);
        const QString own = qEnvironmentVariable("XDG_DATA_HOME") + "/kvx";
        QCOMPARE(
            w.dialogs.calls[0].args,
            QStringList({"Traduisez ce fichier :\n\n" + path +
                             "\n\npuis enregistrez-le dans votre dossier des langues :\n\n" + own +
                             "\n\nsous le nom de votre langue, par exemple Deutsch.lng. "
                             "Il apparaîtra dans le menu des langues au prochain "
                             "démarrage.",
                         "KVX"}));
        QCOMPARE(w.dialogs.calls[0].icon, MessageIcon::Information);
        QCOMPARE(w.launcher.requests.size(), 1);
        QCOMPARE(w.launcher.requests[0].file, path);
    }
};

QTEST_MAIN(TestLanguageMenu)
#include "tst_LanguageMenu.moc"
