// The About window, clicked and dragged as a user would.
#include "about/AppInfo.h"
#include "about/FRMabout.h"
#include "about/ShellOpen.h"
#include "app/ScriptedDialogs.h"
#include "app/support/RecordingLauncher.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <QUrlQuery>

using namespace kvx;

namespace {

// One mouse event; a move holds `button` down, except for Qt::NoButton.
void mouse(QWidget* widget, QEvent::Type type, Qt::MouseButton button, QPoint at = {5, 5})
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
    QMouseEvent event(type, QPointF(at), QPointF(widget->mapToGlobal(at)),
                      type == QEvent::MouseMove ? Qt::NoButton : button, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

void click(QWidget* widget, Qt::MouseButton button, QPoint releasedAt = {5, 5})
{
    mouse(widget, QEvent::MouseButtonPress, button);
    mouse(widget, QEvent::MouseButtonRelease, button, releasedAt);
}

} // namespace

class TestFRMabout : public QObject
{
    Q_OBJECT

    RecordingLauncher m_launcher;
    test::ScriptedDialogs m_boxes;
    ShellOpen m_shell{m_launcher, m_boxes};
    std::unique_ptr<FRMabout> m_about;

    QLabel* label(const QString& name) const { return m_about->findChild<QLabel*>(name); }

private Q_SLOTS:
    void initTestCase() { QApplication::setApplicationName(QStringLiteral("KVX")); }
    void init()
    {
        m_about = std::make_unique<FRMabout>(m_shell);
        m_about->move(100, 100);
        m_about->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_about.get()));
        QVERIFY(m_about->isModal() && m_about->windowFlags() & Qt::FramelessWindowHint);
    }

    // The picture strip scrolls one 85-pixel frame a tick and comes back to
    // its start after the 15th. Holding the left button on it freezes it; a
    // right click then steps one frame, and never drags the window.
    void animation()
    {
        QLabel* image = label("Image1");
        const int top = image->y();
        for (int tick = 1; tick <= 16; ++tick) {
            m_about->Timer1_Timer();
            QCOMPARE(image->y(), top - tick % 15 * 85);
        }
        click(image, Qt::RightButton); // running: no step
        QCOMPARE(m_about->animationFrame(), 1);
        mouse(image, QEvent::MouseButtonPress, Qt::LeftButton);
        click(image, Qt::RightButton);
        click(image, Qt::RightButton);
        QCOMPARE(m_about->animationFrame(), 3);
        QVERIFY(!m_about->animationTimer()->isActive());
        mouse(image, QEvent::MouseButtonRelease, Qt::LeftButton);
        QCOMPARE(m_about->animationFrame(), 3);
        QCOMPARE(m_about->pos(), QPoint(100, 100));
        m_about->animationTimer()->setInterval(1); // running again, on its own timer
        QTRY_COMPARE(m_about->animationFrame(), 5);
    }

    void drag_data()
    {
        QTest::addColumn<QString>("pressed");
        QTest::addColumn<int>("button");
        QTest::addColumn<QPoint>("moved");
        QTest::newRow("background, left") << "" << int(Qt::LeftButton) << QPoint(25, -7);
        QTest::newRow("background, right") << "" << int(Qt::RightButton) << QPoint(0, 0);
        QTest::newRow("plain label, left") << "Label1" << int(Qt::LeftButton) << QPoint(25, -7);
    }
    void drag()
    {
        QFETCH(QString, pressed);
        QFETCH(int, button);
        QFETCH(QPoint, moved);
        QWidget* target = pressed.isEmpty() ? static_cast<QWidget*>(m_about.get()) : label(pressed);
        mouse(target, QEvent::MouseButtonPress, Qt::MouseButton(button), {60, 10});
        mouse(target, QEvent::MouseMove, Qt::MouseButton(button), {80, 3});
        // The window followed the pointer: the next step moves by the new offset only.
        mouse(target, QEvent::MouseMove, Qt::MouseButton(button), {65, 10});
        mouse(target, QEvent::MouseButtonRelease, Qt::MouseButton(button), {65, 10});
        QCOMPARE(m_about->pos(), QPoint(100, 100) + moved);
    }

    // Under the pointer the close cross gets a raised frame (white over
    // black), sunk while pressed; released away from it the window stays.
    void closeCross()
    {
        QLabel* cross = label("LBLexit");
        const QPoint at = cross->pos();
        const auto look = [&] {
            return label("LBLtop")->pixmap().toImage().pixelColor(1, 2).name() +
                   label("LBLdown")->pixmap().toImage().pixelColor(15, 15).name();
        };
        QVERIFY(!label("LBLtop")->isVisible());
        mouse(cross, QEvent::MouseMove, Qt::NoButton);
        QVERIFY(label("LBLtop")->isVisible() && label("LBLdown")->isVisible());
        QCOMPARE(look(), "#ffffff#000000");
        mouse(cross, QEvent::MouseButtonPress, Qt::RightButton);
        QCOMPARE(cross->pos(), at + QPoint(1, 1));
        QCOMPARE(look(), "#000000#ffffff");
        mouse(cross, QEvent::MouseButtonRelease, Qt::RightButton);
        QCOMPARE(cross->pos(), at);
        QCOMPARE(look(), "#ffffff#000000");
        mouse(m_about.get(), QEvent::MouseMove, Qt::NoButton, {200, 60});
        QVERIFY(!label("LBLtop")->isVisible());
        click(cross, Qt::LeftButton, {40, 40});
        QVERIFY(m_about->isVisible());
        click(cross, Qt::LeftButton);
        QVERIFY(!m_about->isVisible());
    }

    // The maker's name opens its web address, the contact address a mail
    // about this version.
    void labelsAndLinks()
    {
        QStringList shown;
        for (const char* name :
             {"LBLappname", "LBLversion", "LBLexe", "LBLCieName", "LBLcopyRight"})
            shown << label(name)->text();
        QCOMPARE(shown, QStringList({"KVX", KVX_VERSION, "tst_FRMabout", appinfo::kMakerName,
                                     appinfo::kContactEmail}));
        click(label("LBLCieName"), Qt::LeftButton);
        click(label("LBLcopyRight"), Qt::LeftButton);
        QCOMPARE(m_launcher.requests.size(), 2);
        QCOMPARE(m_launcher.requests[0].file, QString(appinfo::kWebAddress));
        const QUrl mail(m_launcher.requests[1].file);
        QCOMPARE(mail.scheme() + ':' + mail.path(), "mailto:" + QString(appinfo::kContactEmail));
        QCOMPARE(QUrlQuery(mail).queryItemValue("subject", QUrl::FullyDecoded),
                 "About KVX " KVX_VERSION);
        QVERIFY(!m_launcher.requests[1].file.contains(' '));
        QVERIFY(m_boxes.calls.empty());
    }
};

QTEST_MAIN(TestFRMabout)
#include "tst_FRMabout.moc"
