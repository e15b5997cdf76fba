// The About window, clicked and dragged as a user would, and its links
// opened through an opener standing in for xdg-open: what reaches it, and
// the one box each failure shows.
#include "about/FRMabout.h"
#include "about/ShellOpen.h"
#include "app/ScriptedDialogs.h"
#include "app/support/RecordingLauncher.h"
#include "core/tree/ScanDoubles.h"
#include "lang/MessageTexts.h"
#include "lang/TranslateForm.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTimer>

using namespace kvx;

class TestAbout : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    RecordingLauncher m_launcher;
    test::ScriptedDialogs m_boxes;
    MessageTexts m_texts;
    ShellOpen m_shell{m_launcher, m_boxes, m_texts};
    std::unique_ptr<FRMabout> m_about;

    QLabel* label(const QString& name) const { return m_about->findChild<QLabel*>(name); }
    // A mouse event at `at` in `on`, `button` held from its press to its release.
    static void send(QWidget* on, QEvent::Type type, Qt::MouseButton button = Qt::NoButton,
                     QPoint at = {5, 5})
    {
        QMouseEvent event(type, QPointF(at), QPointF(on->mapToGlobal(at)),
                          type == QEvent::MouseMove ? Qt::NoButton : button,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : button,
                          Qt::NoModifier);
        QApplication::sendEvent(on, &event);
    }

    // An opener that writes its argument and working folder to "seen", then runs `body`.
    QString opener(const QString& body)
    {
        QFile::remove(m_dir.filePath("seen"));
        const QString script = m_dir.filePath("opener.sh");
        writeFile(script, QString("#!/bin/sh\nprintf '%s\\n%s' \"$1\" \"$PWD\" >'%1/seen'\n%2\n")
                              .arg(m_dir.path(), body)
                              .toUtf8());
        QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return script;
    }
    QStringList seen() const
    {
        const QString text = readFile(m_dir.filePath("seen"));
        return text.isEmpty() ? QStringList() : text.split('\n');
    }

private Q_SLOTS:
    void initTestCase() { QApplication::setApplicationName(QStringLiteral("KVX")); }
    void init()
    {
        m_boxes.calls.clear();
        m_about = std::make_unique<FRMabout>(m_shell, m_dir.path());
        m_about->move(100, 100);
        m_about->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_about.get()));
        QVERIFY(m_about->isModal() && m_about->windowFlags() & Qt::FramelessWindowHint);
    }

    // The animation loops through its 15 frames of 85 pixels; holding the
    // left button on it freezes it, and a right click then steps one frame
    // (not while it runs). The background and plain labels drag the window
    // with the left button only. Under the pointer the close cross gets a
    // raised frame, sunk and shifted while pressed; it closes the window when
    // released over it. The state: the window's place, the frame, the strip's
    // offset, whether it runs, the cross's frame and shift, open or closed.
    void mouse()
    {
        QLabel *strip = label("Image1"), *cross = label("LBLexit");
        const int top = strip->y(), left = cross->x();
        const auto state = [&] {
            // The frame's top and left edges: white when raised, black when sunk.
            const QColor edge = label("LBLtop")->pixmap().toImage().pixelColor(1, 2);
            const QString frame = !label("LBLtop")->isVisible() ? "none"
                                  : edge == Qt::white           ? "raised"
                                  : edge == Qt::black           ? "sunk"
                                                                : edge.name();
            return QString("%1,%2 f%3 %4 %5 %6 +%7 %8")
                .arg(m_about->x())
                .arg(m_about->y())
                .arg(m_about->animationFrame())
                .arg(strip->y() - top)
                .arg(m_about->animationTimer()->isActive() ? "run" : "stop", frame)
                .arg(cross->x() - left)
                .arg(m_about->isVisible() ? "open" : "closed");
        };
        const auto click = [](QWidget* on, Qt::MouseButton button, QPoint from, QPoint to) {
            send(on, QEvent::MouseButtonPress, button, from);
            send(on, QEvent::MouseMove, button, to);
            send(on, QEvent::MouseButtonRelease, button, to);
        };
        for (int tick = 0; tick < 16; ++tick)
            m_about->Timer1_Timer();
        QCOMPARE(state(), "100,100 f1 -85 run none +0 open");
        click(strip, Qt::RightButton, {5, 5}, {5, 5});
        send(strip, QEvent::MouseButtonPress, Qt::LeftButton);
        click(strip, Qt::RightButton, {5, 5}, {5, 5});
        click(strip, Qt::RightButton, {5, 5}, {5, 5});
        QCOMPARE(state(), "100,100 f3 -255 stop none +0 open");
        send(strip, QEvent::MouseButtonRelease, Qt::LeftButton);
        QCOMPARE(state(), "100,100 f3 -255 run none +0 open");
        for (QWidget* on : std::initializer_list<QWidget*>{m_about.get(), label("Label1")})
            for (const Qt::MouseButton button : {Qt::RightButton, Qt::LeftButton})
                click(on, button, {60, 10}, {80, 3});
        QCOMPARE(state(), "140,86 f3 -255 run none +0 open");
        send(cross, QEvent::MouseMove);
        QCOMPARE(state(), "140,86 f3 -255 run raised +0 open");
        send(cross, QEvent::MouseButtonPress, Qt::RightButton);
        QCOMPARE(state(), "140,86 f3 -255 run sunk +1 open");
        send(cross, QEvent::MouseButtonRelease, Qt::RightButton);
        QCOMPARE(state(), "140,86 f3 -255 run raised +0 open");
        send(m_about.get(), QEvent::MouseMove, Qt::NoButton, {200, 60});
        QCOMPARE(state(), "140,86 f3 -255 run none +0 open");
        send(cross, QEvent::MouseButtonPress, Qt::LeftButton);
        send(cross, QEvent::MouseButtonRelease, Qt::LeftButton, {40, 40}); // away
        QCOMPARE(state(), "140,86 f3 -255 run none +0 open");
        click(cross, Qt::LeftButton, {5, 5}, {5, 5});
        QCOMPARE(state(), "140,86 f3 -255 run none +0 closed");
    }

    // The labels name the program, each caption clear of its value. The
    // links open the licence text and the documentation folder, and show
    // only where the program has them: installed (share/doc/kvx beside
    // share/kvx), in a build tree (doc/ beside the data), or nowhere.
    void labelsAndLinks()
    {
        for (const auto& [data, doc] :
             {std::pair{"share/kvx", "share/doc/kvx"}, {"build", "build/doc"}, {"bare", ""}}) {
            QTemporaryDir root;
            QVERIFY(QDir(root.path()).mkpath(data));
            QVERIFY(!*doc || (QDir(root.path()).mkpath(doc) &&
                              writeFile(root.filePath(doc + QString("/copyright")), "x")));
            FRMabout about(m_shell, root.filePath(data));
            // A language's captions may be longer: the window makes room.
            QVERIFY(writeFile(root.filePath("long.lng"),
                              "[FRMabout]\nLabel5.Caption=Toute la documentation du programme :"));
            TranslateForm(&about, root.filePath("long.lng"));
            about.show();
            QVERIFY(QTest::qWaitForWindowExposed(&about));
            const auto shown = [&](const QString& name) { return about.findChild<QLabel*>(name); };
            QStringList values;
            for (const QString row :
                 {"1 LBLappname", "2 LBLversion", "4 LBLexe", "3 LBLcopyRight", "5 LBLCieName"}) {
                QLabel *caption = shown("Label" + row.left(1)), *value = shown(row.mid(2));
                QCOMPARE(caption->isVisible(), value->isVisible());
                if (!value->isVisible())
                    continue;
                QVERIFY(caption->geometry().right() + 6 < value->x());
                QVERIFY(caption->width() >= caption->sizeHint().width() &&
                        value->width() >= value->sizeHint().width()); // shown whole
                QVERIFY(about.rect().contains(
                    value->geometry().translated(value->parentWidget()->pos())));
                values << value->text();
            }
            m_launcher.requests.clear();
            QTest::mouseClick(shown("LBLcopyRight"), Qt::LeftButton);
            shown("LBLCieName")->setFocus();
            QTest::keyClick(shown("LBLCieName"), Qt::Key_Return);
            for (const ShellRequest& request : m_launcher.requests)
                values << QDir(root.path()).relativeFilePath(request.file);
            QCOMPARE(
                values.join('|'),
                QString("KVX|" KVX_VERSION "|tst_About") +
                    (*doc ? QString("|Lire la licence|Ouvrir le dossier|%1/copyright|%1").arg(doc)
                          : ""));
        }
        QVERIFY(m_boxes.calls.empty());
        m_about->animationTimer()->setInterval(1);
        QTRY_COMPARE(m_about->animationFrame(), 5);
    }

    // A web address, or a file ("$D" stands for the temporary folder),
    // opened in that folder; exit: the opener's exit status, -1 for an
    // opener that cannot be started, late when it is still running after the
    // wait (the request then counts as accepted and its failure is told when
    // it ends); the failure shown in words (empty: none), then the file.
    void opening_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("exit");
        QTest::addColumn<bool>("late");
        QTest::addColumn<QString>("failure");
        const char* web = "https://example.org/a b?x=1&y='2'";
        const char* none = "Aucune application de ce système n'ouvre ce genre de fichier :";
        QTest::newRow("opened") << web << 0 << false << "";
        QTest::newRow("file missing") << web << 2 << false << "Ce fichier n'existe pas :";
        QTest::newRow("no tool for the type") << web << 3 << false << none;
        QTest::newRow("anything else") << web << 9 << false << "L'ouverture a échoué :";
        QTest::newRow("cannot start") << web << -1 << false
                                      << "Le programme qui ouvre les fichiers avec l'application "
                                         "du bureau (xdg-open) n'a pas pu être lancé pour ouvrir :";
        QTest::newRow("late failure") << "$D" << 4 << true << none;
        QTest::newRow("missing file")
            << "$D/no such file.txt" << 0 << false << "Ce fichier n'existe pas :";
        QTest::newRow("missing folder")
            << "$D/no such folder/a.txt" << 0 << false << "Le dossier de ce fichier n'existe pas :";
    }
    void opening()
    {
        QFETCH(QString, file);
        QFETCH(int, exit);
        QFETCH(bool, late);
        QFETCH(QString, failure);
        file.replace("$D", m_dir.path());
        const QString program = opener(QString(late ? "sleep 1; exit %1" : "exit %1").arg(exit));
        XdgOpenLauncher launcher(exit < 0 ? m_dir.filePath("none") : program, late ? 50 : 2000);
        ShellOpen shell(launcher, m_boxes, m_texts);
        QWidget owner;
        QCOMPARE(shell.ShellOpenDocument(file, 10, {}, m_dir.path(), "open", &owner),
                 failure.isEmpty() || late);
        QTRY_COMPARE_WITH_TIMEOUT(m_boxes.calls.size(), failure.isEmpty() ? 0u : 1u, 10000);
        if (!failure.isEmpty()) {
            QCOMPARE(m_boxes.calls[0].args, QStringList({failure + '\n' + file, "KVX"}));
            QCOMPARE(m_boxes.calls[0].icon, MessageIcon::Critical);
            QVERIFY(!m_boxes.MehWnd()); // the owner parents the box only while it shows
        }
        // Only what might open reaches the opener, verbatim and in its folder.
        QCOMPARE(seen(),
                 exit > 0 || failure.isEmpty() ? QStringList({file, m_dir.path()}) : QStringList());
    }

    // A failure told after the opening's service is gone is dropped.
    void lateFailureWithNobodyLeft()
    {
        RecordingLauncher recording;
        std::optional<ShellOpen> gone(std::in_place, recording, m_boxes, m_texts);
        QVERIFY(gone->ShellOpenDocument("https://example.org/", 1, {}, {}, "open", nullptr));
        gone.reset();
        recording.late(4);
        QVERIFY(m_boxes.calls.empty());
    }
};

QTEST_MAIN(TestAbout)
#include "tst_About.moc"
