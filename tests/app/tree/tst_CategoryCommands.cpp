#include "core/tree/ScanDoubles.h"
#include "tree/CategoryCommands.h"
#include "tree/FolderLister.h"
#include "tree/FolderScan.h"
#include "tree/ImageRegistry.h"
#include "tree/NodeTree.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <deque>
#include <memory>

using namespace kvx;

// The category controls as the main window names them.
class CategoryWindow : public QWidget
{
public:
    CategoryWindow()
    {
        auto* frame = new QGroupBox(this);
        frame->setObjectName(QStringLiteral("frmPattern"));
        for (int i = 0; i < 9; ++i) {
            auto* box = new QCheckBox(frame);
            box->setObjectName(QStringLiteral("chkFile(%1)").arg(i));
            box->setGeometry(8, 8 + 18 * i, 160, 16);
        }
        frame->setGeometry(0, 0, 200, 180);
        auto* cmdExe = new QPushButton(this);
        cmdExe->setObjectName(QStringLiteral("cmdExe"));
        auto* command1 = new QPushButton(this);
        command1->setObjectName(QStringLiteral("Command1"));
        auto* mnuAddFile = new QAction(this);
        mnuAddFile->setObjectName(QStringLiteral("mnuAddFile"));
        resize(220, 240);
    }

    QCheckBox* box(int i) const
    {
        return findChild<QCheckBox*>(QStringLiteral("chkFile(%1)").arg(i));
    }
    QWidget* frame() const { return findChild<QWidget*>(QStringLiteral("frmPattern")); }
    QPushButton* button(const char* name) const
    {
        return findChild<QPushButton*>(QString::fromLatin1(name));
    }
};

class TestCategoryCommands : public QObject
{
    Q_OBJECT

private:
    struct Question
    {
        QString prompt, title, defaultText;
    };

    QTemporaryDir m_dir;
    ImageRegistry m_images = ImageRegistry::withBuiltIns();
    std::unique_ptr<NodeTree> m_tree;
    std::unique_ptr<CategoryWindow> m_window;
    ScriptedPump m_pump;
    CountRecorder m_count;
    DirectoryLister m_folders;
    std::unique_ptr<FolderScan> m_scan;
    std::unique_ptr<CategoryCommands> m_commands;
    std::deque<std::optional<QString>> m_answers;
    std::vector<Question> m_questions;

    // On the box's indicator, where a click always lands on the box.
    void click(int box, Qt::MouseButton button)
    {
        QCheckBox* chk = m_window->box(box);
        QTest::mouseClick(chk, button, {}, QPoint(6, chk->height() / 2));
    }

    QString activePattern() const
    {
        const QString tag = m_window->frame()->property("Tag").toString();
        // The three places that show it always agree.
        if (tag != m_window->frame()->toolTip() || tag != m_window->button("cmdExe")->toolTip())
            return QStringLiteral("(places disagree)");
        return tag;
    }

    const Node* folderNode(const QString& relative) const
    {
        return m_tree->findByKey(folderKey(QDir::cleanPath(m_dir.filePath(relative))));
    }

    QStringList fileTexts(const Node* node) const
    {
        QStringList texts;
        for (const Node* child : node->children()) {
            if (child->isFile())
                texts.append(child->text());
        }
        return texts;
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(m_dir.isValid());
        QVERIFY(makeFolders(m_dir.path(), {QStringLiteral("Films"), QStringLiteral("Disques")}));
        for (const char* name : {"a.zip", "b.avi", "Films/c.ZIP", "Films/d.avi", "Disques/e.rar"})
            QVERIFY(makeFile(m_dir.filePath(QString::fromUtf8(name))));

        m_tree = std::make_unique<NodeTree>();
        m_tree->setImageList(&m_images);
        m_window = std::make_unique<CategoryWindow>();
        m_scan = std::make_unique<FolderScan>(*m_tree, m_folders, m_pump, m_count);
        m_scan->setStartPath(m_dir.path());
        m_scan->BuildTree();
        m_answers.clear();
        m_questions.clear();
        m_commands = std::make_unique<CategoryCommands>(
            *m_window, *m_tree, m_pump,
            [this](const QString& prompt, const QString& title, const QString& defaultText) {
                m_questions.push_back({prompt, title, defaultText});
                std::optional<QString> answer;
                if (!m_answers.empty()) {
                    answer = m_answers.front();
                    m_answers.pop_front();
                }
                return answer;
            });
        m_window->show();
    }

    void cleanup()
    {
        m_commands.reset();
        m_window.reset();
        m_scan.reset();
        m_tree.reset();
        QDir(m_dir.path()).removeRecursively();
    }

    void boxesStartAsTheTableSays()
    {
        QCOMPARE(m_window->box(0)->text(), QStringLiteral("Ajouter tous les fichiers"));
        QCOMPARE(m_window->box(0)->property("Tag").toString(), QStringLiteral("*.*"));
        QCOMPARE(m_window->box(0)->toolTip(), QString());
        QCOMPARE(m_window->box(4)->text(), QStringLiteral("images"));
        QCOMPARE(m_window->box(4)->toolTip(), QStringLiteral("*.gif;*.jpg;*.bmp;*.tiff;*.png"));
        QCOMPARE(m_window->box(4)->property("Tag").toString(), QString());
        for (int i = 0; i < 9; ++i) {
            QVERIFY(!m_window->box(i)->isChecked());
            QVERIFY(m_window->box(i)->isEnabled());
        }
        QCOMPARE(activePattern(), QString());
    }

    void clicksBuildTheActivePattern()
    {
        click(7, Qt::LeftButton);
        click(6, Qt::LeftButton);
        QCOMPARE(activePattern(), QStringLiteral(";*.avi;*.mpg;*.divx;*.zip;*.ace;*.rar;*.cab"));
        click(7, Qt::LeftButton);
        QCOMPARE(activePattern(), QStringLiteral(";*.avi;*.mpg;*.divx"));

        click(0, Qt::LeftButton);
        QCOMPARE(activePattern(), QStringLiteral("*.*"));
        for (int i = 1; i < 9; ++i) {
            QVERIFY(m_window->box(i)->isChecked());
            QVERIFY(!m_window->box(i)->isEnabled());
        }
        click(0, Qt::LeftButton);
        QCOMPARE(activePattern(), QString());
        for (int i = 1; i < 9; ++i) {
            QVERIFY(!m_window->box(i)->isChecked());
            QVERIFY(m_window->box(i)->isEnabled());
        }
    }

    void rightClickEditsThePattern_data()
    {
        QTest::addColumn<int>("box");
        QTest::addColumn<std::optional<QString>>("answer");
        QTest::addColumn<QString>("pattern");
        QTest::newRow("answer") << 7 << std::optional<QString>(QStringLiteral("*.7z")) << "*.7z";
        QTest::newRow("cleared") << 7 << std::optional<QString>(QString()) << "";
        QTest::newRow("cancelled") << 7 << std::optional<QString>() << "";
        QTest::newRow("all files, cancelled") << 0 << std::optional<QString>() << "*.*";
    }

    void rightClickEditsThePattern()
    {
        QFETCH(int, box);
        QFETCH(std::optional<QString>, answer);
        QFETCH(QString, pattern);
        click(1, Qt::LeftButton);
        const QString before = activePattern();
        const QString shown = m_window->box(box)->toolTip();

        m_answers.push_back(answer);
        click(box, Qt::RightButton);
        QCOMPARE(m_questions.size(), size_t(1));
        QCOMPARE(m_questions[0].prompt,
                 QStringLiteral("Fichiers \"%1\"").arg(m_window->box(box)->text()));
        QCOMPARE(m_questions[0].title, shown);
        QCOMPARE(m_questions[0].defaultText, shown);
        QCOMPARE(m_window->box(box)->toolTip(), pattern);
        QVERIFY(!m_window->box(box)->isChecked()); // a right click checks nothing
        QCOMPARE(activePattern(), before);
    }

    void editedAndTranslatedPatternsTakeEffectAtTheNextClick()
    {
        click(7, Qt::LeftButton);
        m_answers.push_back(QStringLiteral("*.rar"));
        click(7, Qt::RightButton);
        // A language file replaces a caption and a pattern.
        m_window->box(8)->setText(QStringLiteral("others"));
        m_window->box(8)->setToolTip(QStringLiteral("*.avi"));
        click(8, Qt::LeftButton);
        QCOMPARE(activePattern(), QStringLiteral(";*.rar;*.avi"));
        click(8, Qt::RightButton);
        QCOMPARE(m_questions.back().prompt, QStringLiteral("Fichiers \"others\""));
    }

    void buttonsAddAndRemoveFiles()
    {
        click(7, Qt::LeftButton);
        QTest::mouseClick(m_window->button("cmdExe"), Qt::LeftButton);
        QCOMPARE(fileTexts(folderNode(QString())), QStringList{"a.zip"});
        QCOMPARE(fileTexts(folderNode("Films")), QStringList{"c.ZIP"});
        QCOMPARE(fileTexts(folderNode("Disques")), QStringList{"e.rar"});
        QCOMPARE(folderNode("Films")->childAt(0)->tag(), QStringLiteral("ZIP"));

        click(6, Qt::LeftButton);
        QTest::mouseClick(m_window->button("cmdExe"), Qt::LeftButton);
        QCOMPARE(fileTexts(folderNode("Films")), (QStringList{"c.ZIP", "d.avi"}));

        click(7, Qt::LeftButton); // videos only now
        QTest::mouseClick(m_window->button("Command1"), Qt::LeftButton);
        QCOMPARE(fileTexts(folderNode("Films")), QStringList{"c.ZIP"});
        QCOMPARE(fileTexts(folderNode(QString())), QStringList{"a.zip"});
        QCOMPARE(m_pump.busyDepth, 0);
    }

    void menuAddsUnderTheSelectedNode()
    {
        auto* mnuAddFile = m_window->findChild<QAction*>(QStringLiteral("mnuAddFile"));
        click(0, Qt::LeftButton);
        const int before = m_tree->count();
        mnuAddFile->trigger(); // no node selected: nothing
        QCOMPARE(m_tree->count(), before);

        m_tree->setSelectedItem(const_cast<Node*>(folderNode("Films")));
        mnuAddFile->trigger();
        QCOMPARE(fileTexts(folderNode("Films")), (QStringList{"c.ZIP", "d.avi"}));
        QCOMPARE(m_tree->count(), before + 2);

        // On a file node: nothing.
        m_tree->setSelectedItem(folderNode("Films")->childAt(0));
        mnuAddFile->trigger();
        QCOMPARE(m_tree->count(), before + 2);
    }
};

QTEST_MAIN(TestCategoryCommands)
#include "tst_CategoryCommands.moc"
