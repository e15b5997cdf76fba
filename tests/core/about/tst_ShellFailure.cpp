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
    void showCommand_data();
    void showCommand();
};

// Every shell code: an empty message marks a success, which has no failure.
void TestShellFailure::failureTable_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("errorNumber");
    QTest::addColumn<QString>("message");

    const QString other = QStringLiteral(
        "An error occurred occurred whilst trying to open or print the selected file.");
    const QString again = QStringLiteral("  Please try again in a moment.");
    QTest::newRow("0") << 0 << 7 << "Out of memory";
    QTest::newRow("1") << 1 << -2147220455 << other;
    QTest::newRow("2") << 2 << 53 << "File not found";
    QTest::newRow("3") << 3 << 76 << "Path not found";
    QTest::newRow("4") << 4 << -2147220452 << other;
    QTest::newRow("5") << 5 << 75 << "Path/file access error";
    QTest::newRow("8") << 8 << 7 << "Out of memory";
    QTest::newRow("11") << 11 << -2147220445 << "The executable file is invalid or corrupt";
    QTest::newRow("12") << 12 << -2147220444 << other;
    QTest::newRow("26") << 26 << 75 << "A sharing violation occurred.";
    QTest::newRow("27") << 27 << -2147220429
                        << "This file type does not have a valid file association.";
    QTest::newRow("28") << 28 << 286 << "The file could not be opened due to time out." + again;
    QTest::newRow("29") << 29 << 285
                        << "The file could not be opened because the DDE transaction failed." +
                               again;
    QTest::newRow("30") << 30 << 285
                        << "The file could not be opened because the target application is busy." +
                               again;
    QTest::newRow("31") << 31 << -2147220425 << "No application is associated with this file type.";
    QTest::newRow("32") << 32 << 48 << "The specified dynamic-link library was not found.";
    QTest::newRow("33") << 33 << 0 << "";
    QTest::newRow("-1") << -1 << 0 << "";
    QTest::newRow("min") << std::numeric_limits<int>::min() << 0 << "";
    QTest::newRow("max") << std::numeric_limits<int>::max() << 0 << "";
}

void TestShellFailure::failureTable()
{
    QFETCH(int, code);
    QFETCH(int, errorNumber);
    QFETCH(QString, message);
    const std::optional<ShellFailure> failure = shellFailureFor(code);
    QCOMPARE(isShellSuccess(code), message.isEmpty());
    QCOMPARE(failure.has_value(), !message.isEmpty());
    if (failure) {
        QCOMPARE(failure->errorNumber, errorNumber);
        QCOMPARE(shellFailureText(*failure),
                 "Erreur " + QString::number(errorNumber) + '\n' + message);
    }
}

void TestShellFailure::showCommand_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("passed");
    QTest::addColumn<QString>("parameters");
    QTest::addColumn<QString>("directory");
    QTest::addColumn<int>("expected");
    QTest::newRow("bare address: normal") << "http://example.org/" << 10 << ""
                                          << "" << 1;
    QTest::newRow("bare exe: normal") << "setup.exe" << 10 << ""
                                      << "" << 1;
    QTest::newRow("exe, parameters: hidden") << "/opt/Setup.Exe" << 10 << "-q"
                                             << "" << 0;
    QTest::newRow("exe inside the name") << "/d/my.exe.d/a.txt" << 3 << ""
                                         << "/d" << 0;
    QTest::newRow("directory keeps it") << "notes.txt" << 3 << ""
                                        << "/tmp" << 3;
    QTest::newRow("parameters keep it") << "runexe" << 7 << "--x"
                                        << "" << 7;
}

void TestShellFailure::showCommand()
{
    QFETCH(QString, file);
    QFETCH(int, passed);
    QFETCH(QString, parameters);
    QFETCH(QString, directory);
    QFETCH(int, expected);
    const ShellRequest request =
        prepareShellRequest(file, passed, parameters, directory, QStringLiteral("open"));
    QCOMPARE(request.showCommand, expected);
    QCOMPARE(request.file, file);
}

QTEST_APPLESS_MAIN(TestShellFailure)
#include "tst_ShellFailure.moc"
