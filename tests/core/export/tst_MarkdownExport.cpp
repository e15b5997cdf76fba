// Markdown lines that read as the names they hold, whatever the names are.
#include "export/ExportRows.h"
#include "export/MarkdownExport.h"

#include <QTest>

class tst_MarkdownExport : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // A name, its depth and weight, and its line: markup characters escaped
    // where Markdown would take them for markup, and only there; blanks at
    // either end as references, so that they stay and bold still holds.
    void lines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("depth");
        QTest::addColumn<bool>("bold");
        QTest::addColumn<QString>("line");
        QTest::newRow("plain") << "b (1).txt" << 0 << false << "- b (1).txt";
        QTest::newRow("emphasis") << "*a*_b_" << 2 << true << "    - **\\*a\\*\\_b\\_**";
        QTest::newRow("code, link, strike, escape")
            << "`c` [l](x) ~~s~~ \\" << 1 << false << "  - \\`c\\` \\[l\\](x) \\~\\~s\\~\\~ \\\\";
        QTest::newRow("html, entity") << "<b>&amp;" << 0 << false << "- \\<b\\>\\&amp;";
        QTest::newRow("heading") << "# t" << 0 << false << "- \\# t";
        QTest::newRow("list") << "- x" << 0 << false << "- \\- x";
        QTest::newRow("ordered") << "12) x" << 0 << false << "- 12\\) x";
        QTest::newRow("ordered, alone") << "1." << 0 << false << "- 1\\.";
        QTest::newRow("number") << "2024.txt" << 0 << false << "- 2024.txt";
        QTest::newRow("blanks") << "  a b " << 0 << true << "- **&#32;&#32;a b&#32;**";
        QTest::newRow("no-break space") << "\u00a0x" << 0 << false << "- &#160;x";
        QTest::newRow("empty") << "" << 1 << true << "  - <!---->";
    }
    void lines()
    {
        QFETCH(QString, text);
        QFETCH(int, depth);
        QFETCH(bool, bold);
        kvx::ExportRows rows;
        rows.rows.push_back({depth, text, kvx::RowKind::Folder, {}, bold, 0, 0, 0, {}});
        QTEST(QString::fromUtf8(kvx::markdownExport(rows)).chopped(1), "line");
    }
};

QTEST_MAIN(tst_MarkdownExport)
#include "tst_MarkdownExport.moc"
