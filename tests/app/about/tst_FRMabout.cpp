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

void mouse(QWidget* widget, QEvent::Type type, Qt::MouseButton button, QPoint at = {2, 2})
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
    QMouseEvent event(type, QPointF(at), QPointF(widget->mapToGlobal(at)),
                      type == QEvent::MouseMove ? Qt::NoButton : button, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
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
    void initTestCase() { QApplication::setApplicationName(QStringLiteral("KVX")); }
    void init();
    void cleanup() { delete m_about; }
    void ticksFollowTheDelays();
    void leftHoldPausesRightClickSteps();
    void drag_data();
    void drag();
    void closeCross();
    void links();

private:
    QLabel* label(const char* name) const { return m_about->findChild<QLabel*>(name); }

    RecordingLauncher m_launcher;
    test::ScriptedDialogs m_boxes;
    ShellOpen m_shell{m_launcher, m_boxes};
    FRMabout* m_about = nullptr;
};

void TestFRMabout::init()
{
    m_about = new FRMabout(m_shell);
    m_about->move(100, 100);
    m_about->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_about));
}

void TestFRMabout::ticksFollowTheDelays()
{
    QVERIFY(m_about->isModal());
    QVERIFY(m_about->windowFlags() & Qt::FramelessWindowHint);
    const QList<int> delays{1000, 200, 200,  200, 200, 1000, 200, 200,
                            200,  200, 1000, 200, 200, 200,  100};
    QCOMPARE(m_about->animationFrame(), 0);
    QCOMPARE(m_about->animationTimer()->interval(), 1000);
    QLabel* image = label("Image1");
    const int top = image->y();
    for (int tick = 1; tick <= 16; ++tick) {
        m_about->Timer1_Timer();
        const int frame = tick % 15;
        QCOMPARE(m_about->animationFrame(), frame);
        QCOMPARE(image->y(), top - frame * 85);
        QCOMPARE(m_about->animationTimer()->interval(), delays[frame]);
    }
    // The real timer drives the same tick.
    m_about->animationTimer()->setInterval(1);
    QTRY_COMPARE(m_about->animationFrame(), 2);
}

void TestFRMabout::leftHoldPausesRightClickSteps()
{
    QLabel* image = label("Image1");
    QTimer* timer = m_about->animationTimer();
    // While running, a right click does not step.
    mouse(image, QEvent::MouseButtonPress, Qt::RightButton);
    mouse(image, QEvent::MouseButtonRelease, Qt::RightButton);
    QCOMPARE(m_about->animationFrame(), 0);

    mouse(image, QEvent::MouseButtonPress, Qt::LeftButton);
    QVERIFY(!timer->isActive());
    for (int frame = 1; frame <= 2; ++frame) {
        mouse(image, QEvent::MouseButtonPress, Qt::RightButton);
        mouse(image, QEvent::MouseButtonRelease, Qt::RightButton);
        QCOMPARE(m_about->animationFrame(), frame);
        QVERIFY(!timer->isActive());
    }
    QCOMPARE(timer->interval(), 200);
    mouse(image, QEvent::MouseButtonRelease, Qt::LeftButton);
    QVERIFY(timer->isActive());
    QCOMPARE(m_about->animationFrame(), 2);
    QCOMPARE(m_about->pos(), QPoint(100, 100)); // the animation never drags the window
}

void TestFRMabout::drag_data()
{
    QTest::addColumn<QString>("pressed");
    QTest::addColumn<int>("button");
    QTest::addColumn<QPoint>("moved");
    QTest::newRow("background, left") << "" << int(Qt::LeftButton) << QPoint(25, -7);
    QTest::newRow("background, right") << "" << int(Qt::RightButton) << QPoint(0, 0);
    QTest::newRow("plain label, left") << "Label1" << int(Qt::LeftButton) << QPoint(25, -7);
}

void TestFRMabout::drag()
{
    QFETCH(QString, pressed);
    QFETCH(int, button);
    QFETCH(QPoint, moved);
    QWidget* target =
        pressed.isEmpty() ? static_cast<QWidget*>(m_about) : label(qPrintable(pressed));
    const auto mouseButton = Qt::MouseButton(button);
    mouse(target, QEvent::MouseButtonPress, mouseButton, {60, 10});
    mouse(target, QEvent::MouseMove, mouseButton, {80, 3});
    // The window followed the pointer: the next step moves by the new offset only.
    mouse(target, QEvent::MouseMove, mouseButton, {65, 10});
    mouse(target, QEvent::MouseButtonRelease, mouseButton, {65, 10});
    QCOMPARE(m_about->pos(), QPoint(100, 100) + moved);
}

void TestFRMabout::closeCross()
{
    QLabel* cross = label("LBLexit");
    QLabel* top = label("LBLtop");
    QLabel* down = label("LBLdown");
    const QPoint at = cross->pos();
    QVERIFY(!top->isVisible());

    // Raised under the pointer, sunk while pressed, with either button.
    mouse(cross, QEvent::MouseMove, Qt::NoButton, {5, 5});
    QVERIFY(top->isVisible() && down->isVisible());
    QCOMPARE(pixelOf(top, {1, 2}), QColor(Qt::white));
    QCOMPARE(pixelOf(down, {15, 15}), QColor(Qt::black));
    mouse(cross, QEvent::MouseButtonPress, Qt::RightButton, {5, 5});
    QCOMPARE(cross->pos(), at + QPoint(1, 1));
    QCOMPARE(pixelOf(top, {1, 2}), QColor(Qt::black));
    QCOMPARE(pixelOf(down, {15, 15}), QColor(Qt::white));
    mouse(cross, QEvent::MouseButtonRelease, Qt::RightButton, {5, 5});
    QCOMPARE(cross->pos(), at);
    QCOMPARE(pixelOf(top, {1, 2}), QColor(Qt::white));
    QVERIFY(m_about->isVisible());

    mouse(m_about, QEvent::MouseMove, Qt::NoButton, {200, 60});
    QVERIFY(!top->isVisible());

    // Released away from the cross: no close.
    mouse(cross, QEvent::MouseButtonPress, Qt::LeftButton, {5, 5});
    mouse(cross, QEvent::MouseButtonRelease, Qt::LeftButton, {40, 40});
    QVERIFY(m_about->isVisible());
    mouse(cross, QEvent::MouseButtonPress, Qt::LeftButton, {5, 5});
    mouse(cross, QEvent::MouseButtonRelease, Qt::LeftButton, {5, 5});
    QVERIFY(!m_about->isVisible());
}

void TestFRMabout::links()
{
    QCOMPARE(label("LBLappname")->text(), QStringLiteral("KVX"));
    QCOMPARE(label("LBLversion")->text(), QStringLiteral(KVX_VERSION));
    QCOMPARE(label("LBLexe")->text(), QStringLiteral("tst_FRMabout"));
    QCOMPARE(label("LBLCieName")->text(), QString(appinfo::kMakerName));
    QCOMPARE(label("LBLcopyRight")->text(), QString(appinfo::kContactEmail));
    for (const char* link : {"LBLCieName", "LBLcopyRight"}) {
        mouse(label(link), QEvent::MouseButtonPress, Qt::LeftButton);
        mouse(label(link), QEvent::MouseButtonRelease, Qt::LeftButton);
    }
    QCOMPARE(m_launcher.requests.size(), 2);
    QCOMPARE(m_launcher.requests[0].file, QString(appinfo::kWebAddress));
    QCOMPARE(m_launcher.requests[0].operation, QStringLiteral("open"));
    const QUrl mail(m_launcher.requests[1].file);
    QCOMPARE(mail.scheme() + ':' + mail.path(), "mailto:" + QString(appinfo::kContactEmail));
    QCOMPARE(QUrlQuery(mail).queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded),
             QStringLiteral("About KVX " KVX_VERSION));
    QVERIFY(!m_launcher.requests[1].file.contains(' '));
    QVERIFY(m_boxes.calls.empty());
}

QTEST_MAIN(TestFRMabout)
#include "tst_FRMabout.moc"
