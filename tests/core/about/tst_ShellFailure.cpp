#include "about/ShellFailure.h"

#include <QTest>
#include <limits>

using namespace kvx;

class TestShellFailure : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void failureTable_data();
    void failureTable();
    void showCommand();
};

// Every shell code; an empty message marks a success.
void TestShellFailure::failureTable_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("text");
    const auto row = [](int code, int number, const QString& message) {
        QTest::newRow(QByteArray::number(code))
            << code
            << (message.isEmpty() ? message : QStringLiteral("Erreur %1\n").arg(number) + message);
    };
    const QString other = QStringLiteral(
        "An error occurred occurred whilst trying to open or print the selected file.");
    row(0, 7, "Out of memory");
    row(2, 53, "File not found");
    row(3, 76, "Path not found");
    row(4, -2147220452, other);
    row(29, 285, "The file could not be opened because the DDE transaction failed.  Please try "
                 "again in a moment.");
    row(31, -2147220425, "No application is associated with this file type.");
    row(32, 48, "The specified dynamic-link library was not found.");
    for (int code : {33, -1, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()})
        row(code, 0, {});
}

void TestShellFailure::failureTable()
{
    QFETCH(int, code);
    QFETCH(QString, text);
    QCOMPARE(isShellSuccess(code), text.isEmpty());
    QCOMPARE(shellFailureFor(code).has_value(), !text.isEmpty());
    if (const std::optional<ShellFailure> failure = shellFailureFor(code))
        QCOMPARE(shellFailureText(*failure), text);
}

// A file naming an ".EXE" starts hidden; a bare request always asks for a
// normal window.
void TestShellFailure::showCommand()
{
    const auto shown = [](const char* file, const char* parameters, const char* directory) {
        return prepareShellRequest(file, 3, parameters, directory, "open").showCommand;
    };
    QCOMPARE(shown("http://example.org/", "", ""), 1);
    QCOMPARE(shown("setup.exe", "", ""), 1);
    QCOMPARE(shown("/opt/Setup.Exe", "-q", ""), 0);
    QCOMPARE(shown("/d/my.exe.d/a.txt", "", "/d"), 0);
    QCOMPARE(shown("notes.txt", "", "/tmp"), 3);
    QCOMPARE(shown("runexe", "--x", ""), 3);
}

QTEST_APPLESS_MAIN(TestShellFailure)
#include "tst_ShellFailure.moc"
