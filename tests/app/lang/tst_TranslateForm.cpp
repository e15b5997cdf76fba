#include "lang/TranslateForm.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeView>

using namespace kvx;

namespace {

// A window shaped like the main one, small enough to read at a glance.
struct SmallWindow
{
    SmallWindow()
    {
        window.setObjectName(QStringLiteral("frMain"));
        window.setWindowTitle(QStringLiteral("KVX"));
        start = named<QPushButton>(QStringLiteral("cmdStartPoint"), &window);
        start->setText(QStringLiteral("Commencer l'arbre depuis ..."));
        group = named<QGroupBox>(QStringLiteral("Frame1"), &window);
        group->setTitle(QStringLiteral("Nombre de lignes :"));
        label = named<QLabel>(QStringLiteral("Label1"), group);
        label->setText(QStringLiteral("Nombre d'éléments à impimer :"));
        chk0 = named<QCheckBox>(QStringLiteral("chkFile(0)"), &window);
        chk0->setText(QStringLiteral("Tous"));
        chk0->setToolTip(QStringLiteral("*.*"));
        chk3 = named<QCheckBox>(QStringLiteral("chkFile(3)"), &window);
        chk3->setText(QStringLiteral("Images"));
        path = named<QLineEdit>(QStringLiteral("txtStartPath"), &window);
        tree = named<QTreeView>(QStringLiteral("TV"), &window);
        menu = named<QMenu>(QStringLiteral("MNlangue"), &window);
        menu->setTitle(QStringLiteral("MNlangue"));
        bold = new QAction(QStringLiteral("Gras"), &window);
        bold->setObjectName(QStringLiteral("mnuGras"));
        separator = new QAction(&window);
        separator->setObjectName(QStringLiteral("mnuSep00"));
        separator->setSeparator(true);
        menu->addActions({bold, separator});
    }

    template <class W> static W* named(const QString& name, QWidget* parent)
    {
        auto* widget = new W(parent);
        widget->setObjectName(name);
        return widget;
    }

    QWidget window;
    QPushButton* start;
    QGroupBox* group;
    QLabel* label;
    QCheckBox* chk0;
    QCheckBox* chk3;
    QLineEdit* path;
    QTreeView* tree;
    QMenu* menu;
    QAction* bold;
    QAction* separator;
};

} // namespace

class TestTranslateForm : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void translatesEveryKind();
    void missingOrForeignFileChangesNothing_data();
    void missingOrForeignFileChangesNothing();
    void secondFileOverFirst();
    void separators();

private:
    QString write(const QString& name, const QString& text);
    QTemporaryDir m_dir;
};

void TestTranslateForm::initTestCase()
{
    QVERIFY(m_dir.isValid());
}

QString TestTranslateForm::write(const QString& name, const QString& text)
{
    const QString path = m_dir.filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(text.toUtf8());
    return path;
}

void TestTranslateForm::translatesEveryKind()
{
    SmallWindow w;
    const QString file = write(QStringLiteral("English.lng"),
                               QStringLiteral("[FRMAIN]\n"
                                              "kvx jackets = KVX cases\n"
                                              "CMDSTARTPOINT.CAPTION = Start the tree from ...\n"
                                              "cmdStartPoint.ToolTipText = 'Choose a folder'\n"
                                              "Frame1.Caption = Number of lines:\n"
                                              "Label1.Caption = Elements to print:\n"
                                              "chkFile.Caption = never used\n"
                                              "chkFile(3).Caption = Pictures\n"
                                              "chkFile(0).ToolTipText =\n"
                                              "txtStartPath.ToolTipText = Start folder\n"
                                              "TV.ToolTipText = The tree\n"
                                              "MNlangue.Caption = Languages\n"
                                              "mnuGras.Caption = &Bold\n"));
    TranslateForm(&w.window, file);
    QCOMPARE(w.window.windowTitle(), QStringLiteral("KVX"));
    QCOMPARE(w.start->text(), QStringLiteral("Start the tree from ..."));
    QCOMPARE(w.start->toolTip(), QStringLiteral("Choose a folder"));
    QCOMPARE(w.group->title(), QStringLiteral("Number of lines:"));
    QCOMPARE(w.label->text(), QStringLiteral("Elements to print:"));
    QCOMPARE(w.chk0->text(), QStringLiteral("Tous"));
    QCOMPARE(w.chk0->toolTip(), QString());
    QCOMPARE(w.chk3->text(), QStringLiteral("Pictures"));
    QCOMPARE(w.path->toolTip(), QStringLiteral("Start folder"));
    QCOMPARE(w.tree->toolTip(), QStringLiteral("The tree"));
    QCOMPARE(w.menu->title(), QStringLiteral("Languages"));
    QCOMPARE(w.bold->text(), QStringLiteral("&Bold"));

    // The title's key is the title in force, whatever its letter case.
    w.window.setWindowTitle(QStringLiteral("KVX Jackets"));
    TranslateForm(&w.window, file);
    QCOMPARE(w.window.windowTitle(), QStringLiteral("KVX cases"));
}

void TestTranslateForm::missingOrForeignFileChangesNothing_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("exists");
    QTest::newRow("missing file") << "" << false;
    QTest::newRow("empty section") << "[frMain]\n[frOther]\ncmdStartPoint.Caption=x\n" << true;
    QTest::newRow("no section") << "cmdStartPoint.Caption=x\n" << true;
    QTest::newRow("binary rubbish") << QStringLiteral("\x01\x02[\x7f=]=\n==\n[") << true;
}

void TestTranslateForm::missingOrForeignFileChangesNothing()
{
    QFETCH(QString, text);
    QFETCH(bool, exists);
    SmallWindow w;
    w.chk0->setText(QStringLiteral("Tous  "));
    const QString file = exists ? write(QStringLiteral("other.lng"), text)
                                : m_dir.filePath(QStringLiteral("absent.lng"));
    TranslateForm(&w.window, file);
    QCOMPARE(w.window.windowTitle(), QStringLiteral("KVX"));
    QCOMPARE(w.start->text(), QStringLiteral("Commencer l'arbre depuis ..."));
    QCOMPARE(w.chk0->toolTip(), QStringLiteral("*.*"));
    QCOMPARE(w.bold->text(), QStringLiteral("Gras"));
    // Only a missing file keeps even the trailing blanks of a text.
    QCOMPARE(w.chk0->text(), exists ? QStringLiteral("Tous") : QStringLiteral("Tous  "));
}

void TestTranslateForm::secondFileOverFirst()
{
    SmallWindow w;
    TranslateForm(&w.window, write(QStringLiteral("A.lng"), QStringLiteral("[frMain]\n"
                                                                           "KVX=Jackets\n"
                                                                           "mnuGras.Caption=Bold\n"
                                                                           "Label1.Caption=To "
                                                                           "print:\n")));
    TranslateForm(&w.window, write(QStringLiteral("B.lng"), QStringLiteral("[frMain]\n"
                                                                           "KVX=Hüllen\n"
                                                                           "Jackets=Hüllen\n"
                                                                           "mnuGras.Caption=Fett"
                                                                           "\n")));
    QCOMPARE(w.bold->text(), QStringLiteral("Fett"));
    QCOMPARE(w.label->text(), QStringLiteral("To print:"));
    QCOMPARE(w.window.windowTitle(), QStringLiteral("Hüllen"));
}

void TestTranslateForm::separators()
{
    SmallWindow w;
    TranslateForm(&w.window,
                  write(QStringLiteral("sep.lng"), QStringLiteral("[frMain]\nmnuGras.Caption=-\n"
                                                                  "mnuSep00.Caption=Bold\n")));
    QVERIFY(w.bold->isSeparator());
    QVERIFY(!w.separator->isSeparator());
    QCOMPARE(w.separator->text(), QStringLiteral("Bold"));
}

QTEST_MAIN(TestTranslateForm)
#include "tst_TranslateForm.moc"
