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
#include <QUrl>
#include <QUrlQuery>

using namespace kvx;

namespace {

void sendMouse(QWidget* widget, QEvent::Type type, QPoint local, Qt::MouseButton button,
               Qt::MouseButtons buttons)
{
    QMouseEvent event(type, QPointF(local), QPointF(widget->mapToGlobal(local)), button, buttons,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

void press(QWidget* widget, Qt::MouseButton button, QPoint at = {2, 2})
{
    sendMouse(widget, QEvent::MouseButtonPress, at, button, button);
}

void release(QWidget* widget, Qt::MouseButton button, QPoint at = {2, 2})
{
    sendMouse(widget, QEvent::MouseButtonRelease, at, button, Qt::NoButton);
}

QColor pixelOf(const QLabel* label, QPoint at)
{
    return label->pixmap().toImage().pixelColor(at);
}

} // namespace

class TestFRMabout : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void loads();
    void ticksFollowTheDelays();
    void holdingTheLeftButtonPausesAndRightClickSteps();
    void rightClickWhileRunningDoesNotStep();
    void dragsWithTheLeftButtonOnly_data();
    void dragsWithTheLeftButtonOnly();
    void closeCross();
    void links();

private:
    QLabel* label(const char* name) const
    {
        return m_about->findChild<QLabel*>(QLatin1String(name));
    }

    RecordingLauncher m_launcher;
    test::ScriptedDialogs m_boxes;
    ShellOpen* m_shell = nullptr;
    FRMabout* m_about = nullptr;
};

void TestFRMabout::initTestCase()
{
    QApplication::setApplicationName(QStringLiteral("KVX"));
}

void TestFRMabout::init()
{
    m_launcher.requests.clear();
    m_shell = new ShellOpen(m_launcher, m_boxes);
    m_about = new FRMabout(*m_shell);
    m_about->move(100, 100);
    m_about->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_about));
}

void TestFRMabout::cleanup()
{
    delete m_about;
    delete m_shell;
}

void TestFRMabout::loads()
{
    QVERIFY(m_about->isModal());
    QVERIFY(m_about->windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(m_about->size(), QSize(387, 124));
    QCOMPARE(label("LBLappname")->text(), QStringLiteral("KVX"));
    QCOMPARE(label("LBLversion")->text(), QStringLiteral(KVX_VERSION));
    QCOMPARE(label("LBLversion")->text().count(QLatin1Char('.')), 2);
    QCOMPARE(label("LBLexe")->text(), QStringLiteral("tst_FRMabout"));
    QCOMPARE(label("LBLcopyRight")->text(), QString(appinfo::kContactEmail));
    QCOMPARE(label("LBLCieName")->text(), QString(appinfo::kMakerName));
    QCOMPARE(label("Label4")->text(), QStringLiteral("Exécutable   :"));
    QVERIFY(!label("LBLtop")->isVisible());
    QVERIFY(!label("LBLdown")->isVisible());
    // The button frame sits around the cross.
    QCOMPARE(label("LBLtop")->pos(), label("LBLexit")->pos() + QPoint(-3, -4));
    QCOMPARE(label("LBLdown")->pos(), label("LBLtop")->pos());
    QCOMPARE(m_about->animationFrame(), 0);
    QVERIFY(m_about->animationTimer()->isActive());
    QCOMPARE(m_about->animationTimer()->interval(), 1000);
    QCOMPARE(label("Image1")->size(), QSize(160, 1275));
}

void TestFRMabout::ticksFollowTheDelays()
{
    const QList<int> delays{1000, 200, 200,  200, 200, 1000, 200, 200,
                            200,  200, 1000, 200, 200, 200,  100};
    QLabel* image = label("Image1");
    const int top = image->y();
    for (int tick = 1; tick <= 16; ++tick) {
        m_about->Timer1_Timer();
        const int frame = tick % 15;
        QCOMPARE(m_about->animationFrame(), frame);
        QCOMPARE(image->y(), top - frame * 85);
        QCOMPARE(m_about->animationTimer()->interval(), delays[frame]);
    }
    QCOMPARE(m_about->animationFrame(), 1);

    // The real timer drives the same tick.
    m_about->animationTimer()->setInterval(1);
    QTRY_COMPARE(m_about->animationFrame(), 2);
}

void TestFRMabout::holdingTheLeftButtonPausesAndRightClickSteps()
{
    QLabel* image = label("Image1");
    QTimer* timer = m_about->animationTimer();
    press(image, Qt::LeftButton);
    QVERIFY(!timer->isActive());
    QCOMPARE(m_about->animationFrame(), 0);

    press(image, Qt::RightButton);
    QCOMPARE(m_about->animationFrame(), 1);
    release(image, Qt::RightButton);
    QVERIFY(!timer->isActive());
    press(image, Qt::RightButton);
    QCOMPARE(m_about->animationFrame(), 2);
    QCOMPARE(timer->interval(), 200);

    release(image, Qt::LeftButton);
    QVERIFY(timer->isActive());
    QCOMPARE(m_about->animationFrame(), 2);
    // Pressing the animation never drags the window.
    QCOMPARE(m_about->pos(), QPoint(100, 100));
}

void TestFRMabout::rightClickWhileRunningDoesNotStep()
{
    press(label("Image1"), Qt::RightButton);
    release(label("Image1"), Qt::RightButton);
    QCOMPARE(m_about->animationFrame(), 0);
    QVERIFY(m_about->animationTimer()->isActive());
}

void TestFRMabout::dragsWithTheLeftButtonOnly_data()
{
    QTest::addColumn<int>("button");
    QTest::addColumn<QPoint>("moved");
    QTest::addColumn<QPoint>("movedAgain");
    QTest::newRow("left") << int(Qt::LeftButton) << QPoint(20, -7) << QPoint(25, -7);
    QTest::newRow("right") << int(Qt::RightButton) << QPoint(0, 0) << QPoint(0, 0);
}

void TestFRMabout::dragsWithTheLeftButtonOnly()
{
    QFETCH(int, button);
    QFETCH(QPoint, moved);
    QFETCH(QPoint, movedAgain);
    const auto mouseButton = Qt::MouseButton(button);
    const QPoint start = m_about->pos();
    press(m_about, mouseButton, {60, 10});
    sendMouse(m_about, QEvent::MouseMove, {80, 3}, Qt::NoButton, mouseButton);
    QCOMPARE(m_about->pos(), start + moved);
    // The window followed the pointer: the next step moves by the new offset only.
    sendMouse(m_about, QEvent::MouseMove, {65, 10}, Qt::NoButton, mouseButton);
    QCOMPARE(m_about->pos(), start + movedAgain);
    release(m_about, mouseButton, {65, 10});

    // Pressing a plain label drags the window too.
    const QPoint before = m_about->pos();
    press(label("Label1"), Qt::LeftButton, {1, 1});
    sendMouse(label("Label1"), QEvent::MouseMove, {11, 6}, Qt::NoButton, Qt::LeftButton);
    QCOMPARE(m_about->pos(), before + QPoint(10, 5));
}

void TestFRMabout::closeCross()
{
    QLabel* cross = label("LBLexit");
    QLabel* top = label("LBLtop");
    QLabel* down = label("LBLdown");
    const QPoint at = cross->pos();

    sendMouse(cross, QEvent::MouseMove, {5, 5}, Qt::NoButton, Qt::NoButton);
    QVERIFY(top->isVisible());
    QVERIFY(down->isVisible());
    QCOMPARE(pixelOf(top, {1, 2}), QColor(Qt::white));
    QCOMPARE(pixelOf(down, {15, 15}), QColor(Qt::black));

    press(cross, Qt::RightButton, {5, 5});
    QCOMPARE(cross->pos(), at + QPoint(1, 1));
    QCOMPARE(pixelOf(top, {1, 2}), QColor(Qt::black));
    QCOMPARE(pixelOf(down, {15, 15}), QColor(Qt::white));
    release(cross, Qt::RightButton, {5, 5});
    QCOMPARE(cross->pos(), at);
    QCOMPARE(pixelOf(top, {1, 2}), QColor(Qt::white));
    QCOMPARE(pixelOf(down, {15, 15}), QColor(Qt::black));
    QVERIFY(m_about->isVisible());

    // Leaving the cross for the background hides its frame.
    sendMouse(m_about, QEvent::MouseMove, {200, 60}, Qt::NoButton, Qt::NoButton);
    QVERIFY(!top->isVisible());
    QCOMPARE(m_about->pos(), QPoint(100, 100));

    // Released away from the cross: no close.
    press(cross, Qt::LeftButton, {5, 5});
    release(cross, Qt::LeftButton, {40, 40});
    QCOMPARE(cross->pos(), at);
    QVERIFY(m_about->isVisible());

    press(cross, Qt::LeftButton, {5, 5});
    release(cross, Qt::LeftButton, {5, 5});
    QVERIFY(!m_about->isVisible());
}

void TestFRMabout::links()
{
    press(label("LBLCieName"), Qt::LeftButton);
    release(label("LBLCieName"), Qt::LeftButton);
    press(label("LBLcopyRight"), Qt::LeftButton);
    release(label("LBLcopyRight"), Qt::LeftButton);
    QCOMPARE(m_launcher.requests.size(), 2);

    const ShellRequest web = m_launcher.requests[0];
    QCOMPARE(web.file, QString(appinfo::kWebAddress));
    QCOMPARE(web.operation, QStringLiteral("open"));
    QCOMPARE(web.showCommand, 1);
    QVERIFY(web.parameters.isEmpty() && web.directory.isEmpty());

    const QUrl mail(m_launcher.requests[1].file);
    QCOMPARE(mail.scheme(), QStringLiteral("mailto"));
    QCOMPARE(mail.path(), QString(appinfo::kContactEmail));
    QCOMPARE(QUrlQuery(mail).queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded),
             QStringLiteral("About KVX ") + QStringLiteral(KVX_VERSION));
    QVERIFY(!m_launcher.requests[1].file.contains(QLatin1Char(' ')));
    QVERIFY(m_boxes.calls.empty());
}

QTEST_MAIN(TestFRMabout)
#include "tst_FRMabout.moc"
