#include "app/AppPaths.h"

#include <QtTest>

class TestAppPaths : public QObject
{
    Q_OBJECT

private slots:
    void besideExecutableFirstThenShare_data();
    void besideExecutableFirstThenShare();
    void reportDir_data();
    void reportDir();
};

void TestAppPaths::besideExecutableFirstThenShare_data()
{
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("expected");
    const QString beside = QStringLiteral("prefix/bin/doc");
    const QString shared = QStringLiteral("prefix/share/rt58/doc");
    QTest::newRow("build tree") << QStringList{beside} << QString() << beside;
    QTest::newRow("installed") << QStringList{shared} << QString() << shared;
    QTest::newRow("both") << QStringList{beside, shared} << QString() << beside;
    QTest::newRow("neither") << QStringList{} << QString() << beside;
    QTest::newRow("file named doc") << QStringList{shared} << beside << shared;
}

void TestAppPaths::besideExecutableFirstThenShare()
{
    QFETCH(QStringList, folders);
    QFETCH(QString, file);
    QFETCH(QString, expected);
    QTemporaryDir root;
    QDir rootDir(root.path());
    QVERIFY(rootDir.mkpath(QStringLiteral("prefix/bin")));
    for (const QString &folder : folders)
        QVERIFY(rootDir.mkpath(folder));
    if (!file.isEmpty()) {
        QFile plain(rootDir.filePath(file));
        QVERIFY(plain.open(QIODevice::WriteOnly));
    }
    QCOMPARE(
        AppPaths::dataDir(rootDir.filePath(QStringLiteral("prefix/bin")), QStringLiteral("doc")),
        rootDir.filePath(expected));
}

// Where a report goes that the user did not name (a cancelled save dialog).
void TestAppPaths::reportDir_data()
{
    QTest::addColumn<QString>("dataFolder");
    QTest::addColumn<QString>("workingDir");
    QTest::addColumn<QString>("expected");
    const QString beside = QStringLiteral("prefix/bin/doc");
    const QString shared = QStringLiteral("prefix/share/rt58/doc");
    QTest::newRow("build folder") << beside << "work"
                                  << "prefix/bin";
    QTest::newRow("build folder, started from /") << beside << "/"
                                                  << "prefix/bin";
    QTest::newRow("installed") << shared << "work"
                               << "work";
    QTest::newRow("installed, started from /") << shared << "/"
                                               << "home";
    QTest::newRow("installed, working folder gone") << shared << "gone"
                                                    << "home";
}

void TestAppPaths::reportDir()
{
    QFETCH(QString, dataFolder);
    QFETCH(QString, workingDir);
    QFETCH(QString, expected);
    QTemporaryDir root;
    const QDir rootDir(root.path());
    for (const QString &folder : {dataFolder, QStringLiteral("work"), QStringLiteral("home")})
        QVERIFY(rootDir.mkpath(folder));
    const auto inRoot = [&](const QString &path) {
        return path.startsWith(QLatin1Char('/')) ? path : rootDir.filePath(path);
    };
    QCOMPARE(AppPaths::reportDir(rootDir.filePath(QStringLiteral("prefix/bin")), inRoot(workingDir),
                                 rootDir.filePath(QStringLiteral("home"))),
             inRoot(expected));
}

QTEST_GUILESS_MAIN(TestAppPaths)
#include "tst_app_paths.moc"
