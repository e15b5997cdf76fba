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

void mouse(QWidget* widget, QEvent::Type type, Qt::MouseButton button, QPoint at = {5, 5})
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
    QMouseEvent event(type, QPointF(at), QPointF(widget->mapToGlobal(at)),
                      type == QEvent::MouseMove ? Qt::NoButton : button, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

void click(QWidget* widget, Qt::MouseButton button, QPoint at = {5, 5}, QPoint releasedAt = {5, 5})
{
    mouse(widget, QEvent::MouseButtonPress, button, at);
    mouse(widget, QEvent::MouseButtonRelease, button, releasedAt);
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
    void labelsAndLinks();

private:
    QLabel* label(const QString& name) const { return m_about->findChild<QLabel*>(name); }

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
    QVERIFY(m_about->isModal() && m_about->windowFlags() & Qt::FramelessWindowHint);
}

// The picture strip scrolls one frame a tick and comes back to its start
// after the last frame.
void TestFRMabout::ticksFollowTheDelays()
{
    const int top = label("Image1")->y();
    for (int tick = 1; tick <= 16; ++tick) {
        m_about->Timer1_Timer();
        QCOMPARE(label("Image1")->y(), top - tick % 15 * 85);
    }
    m_about->animationTimer()->setInterval(1); // the real timer drives the same tick
    QTRY_COMPARE(m_about->animationFrame(), 2);
}

void TestFRMabout::leftHoldPausesRightClickSteps()
{
    QLabel* image = label("Image1");
    click(image, Qt::RightButton); // running: no step
    QCOMPARE(m_about->animationFrame(), 0);
    mouse(image, QEvent::MouseButtonPress, Qt::LeftButton);
    QVERIFY(!m_about->animationTimer()->isActive());
    click(image, Qt::RightButton);
    click(image, Qt::RightButton);
    QCOMPARE(m_about->animationFrame(), 2);
    QVERIFY(!m_about->animationTimer()->isActive());
    mouse(image, QEvent::MouseButtonRelease, Qt::LeftButton);
    QVERIFY(m_about->animationTimer()->isActive());
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
    QWidget* target = pressed.isEmpty() ? static_cast<QWidget*>(m_about) : label(pressed);
    mouse(target, QEvent::MouseButtonPress, Qt::MouseButton(button), {60, 10});
    mouse(target, QEvent::MouseMove, Qt::MouseButton(button), {80, 3});
    // The window followed the pointer: the next step moves by the new offset only.
    mouse(target, QEvent::MouseMove, Qt::MouseButton(button), {65, 10});
    mouse(target, QEvent::MouseButtonRelease, Qt::MouseButton(button), {65, 10});
    QCOMPARE(m_about->pos(), QPoint(100, 100) + moved);
}

void TestFRMabout::closeCross()
{
    QLabel* cross = label("LBLexit");
    const QPoint at = cross->pos();
    // The frame's top-left and bottom-right edges: white over black is raised.
    const auto look = [&] {
        return label("LBLtop")->pixmap().toImage().pixelColor(1, 2).name() +
               label("LBLdown")->pixmap().toImage().pixelColor(15, 15).name();
    };
    QVERIFY(!label("LBLtop")->isVisible());
    mouse(cross, QEvent::MouseMove, Qt::NoButton);
    QVERIFY(label("LBLtop")->isVisible() && label("LBLdown")->isVisible());
    QCOMPARE(look(), QStringLiteral("#ffffff#000000"));
    mouse(cross, QEvent::MouseButtonPress, Qt::RightButton);
    QCOMPARE(cross->pos(), at + QPoint(1, 1));
    QCOMPARE(look(), QStringLiteral("#000000#ffffff"));
    mouse(cross, QEvent::MouseButtonRelease, Qt::RightButton);
    QCOMPARE(cross->pos(), at);
    QCOMPARE(look(), QStringLiteral("#ffffff#000000"));
    mouse(m_about, QEvent::MouseMove, Qt::NoButton, {200, 60});
    QVERIFY(!label("LBLtop")->isVisible());
    click(cross, Qt::LeftButton, {5, 5}, {40, 40}); // released away: stays open
    QVERIFY(m_about->isVisible());
    click(cross, Qt::LeftButton);
    QVERIFY(!m_about->isVisible());
}

void TestFRMabout::labelsAndLinks()
{
    const QStringList texts{"LBLappname=KVX", "LBLversion=" KVX_VERSION, "LBLexe=tst_FRMabout",
                            "LBLCieName=" + appinfo::kMakerName,
                            "LBLcopyRight=" + appinfo::kContactEmail};
    for (const QString& text : texts)
        QCOMPARE(text.section('=', 0, 0) + '=' + label(text.section('=', 0, 0))->text(), text);
    click(label("LBLCieName"), Qt::LeftButton);
    click(label("LBLcopyRight"), Qt::LeftButton);
    QCOMPARE(m_launcher.requests.size(), 2);
    QCOMPARE(m_launcher.requests[0].file, QString(appinfo::kWebAddress));
    const QUrl mail(m_launcher.requests[1].file);
    QCOMPARE(mail.scheme() + ':' + mail.path(), "mailto:" + QString(appinfo::kContactEmail));
    QCOMPARE(QUrlQuery(mail).queryItemValue(QStringLiteral("subject"), QUrl::FullyDecoded),
             QStringLiteral("About KVX " KVX_VERSION));
    QVERIFY(!m_launcher.requests[1].file.contains(' '));
    QVERIFY(m_boxes.calls.empty());
}

QTEST_MAIN(TestFRMabout)
#include "tst_FRMabout.moc"
