// The application's own pieces: where templates are found, the compiled-in
// catalogues, the status codes of a connect request, and the single-instance
// guard with the folder of its lock.
#include "app/AppPaths.h"
#include "app/GlobalState.h"
#include "app/SingleInstanceGuard.h"

#include <QtTest>

#include <pwd.h>
#include <unistd.h>

class TestApp : public QObject
{
    Q_OBJECT

private slots:
    void templatesBesideTheExecutableFirst_data();
    void templatesBesideTheExecutableFirst();
    void catalogues_data();
    void catalogues();
    void connectRequestClearsTheDisconnectPair();
    void guardTurnsAwayTheSameNameOnly();
    void lockFolder_data();
    void lockFolder();
};

void TestApp::templatesBesideTheExecutableFirst_data()
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

void TestApp::templatesBesideTheExecutableFirst()
{
    QFETCH(QStringList, folders);
    QFETCH(QString, file);
    QFETCH(QString, expected);
    QTemporaryDir root;
    const QDir rootDir(root.path());
    for (const QString &folder : folders + QStringList{"prefix/bin"})
        QVERIFY(rootDir.mkpath(folder));
    if (!file.isEmpty())
        QVERIFY(QFile(rootDir.filePath(file)).open(QIODevice::WriteOnly));
    QCOMPARE(AppPaths::dataDir(rootDir.filePath("prefix/bin"), "doc"), rootDir.filePath(expected));
}

// The Chinese catalogue translates the English sources, the English one the
// Chinese sources; what has no entry stays as it is.
void TestApp::catalogues_data()
{
    QTest::addColumn<QString>("catalogue");
    QTest::addColumn<QString>("context");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("shown");
    const QString zh = ":/lang/RT-58_zh_CN.qm";
    const QString en = ":/lang/RT-58_zh_EN.qm";
    QTest::newRow("zh title") << zh << "MainWindow"
                              << "MainWindow"
                              << "RT-58A校准系统";
    QTest::newRow("zh export") << zh << "ExportFile"
                               << "Info"
                               << "提示信息";
    QTest::newRow("en failed") << en << "Config"
                               << "连接失败！"
                               << "Failed to connect!";
    QTest::newRow("en no entry") << en << "ExportFile"
                                 << "保存图片失败!"
                                 << "保存图片失败!";
}

void TestApp::catalogues()
{
    QFETCH(QString, catalogue);
    QFETCH(QString, context);
    QFETCH(QString, source);
    QTranslator translator;
    QVERIFY(translator.load(catalogue));
    const QString shown = translator.translate(context.toUtf8(), source.toUtf8());
    QTEST(shown.isEmpty() ? source : shown, "shown");
}

// A connect request clears its own pair and the disconnect pair, so that the
// unlink of an earlier link does not count for the new one; every other flag
// stays.
void TestApp::connectRequestClearsTheDisconnectPair()
{
    for (bool *flag : {&connectSent, &connectAcked, &disconnectSent, &disconnectAcked, &readSent,
                       &readAcked, &configSent, &configAcked, &pointSent, &pointAcked})
        *flag = true;
    updateStatus(2);
    QCOMPARE((QList<bool>{connectSent, connectAcked, disconnectSent, disconnectAcked, readSent,
                          readAcked, configSent, configAcked, pointSent, pointAcked}),
             (QList<bool>{false, false, false, false, true, true, true, true, true, true}));
}

// The kernel lets go of the lock with the guard, however its holder ends.
void TestApp::guardTurnsAwayTheSameNameOnly()
{
    QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    {
        SingleInstanceGuard first(QStringLiteral("rt58-guard"));
        QVERIFY(!first.alreadyRunning());
        QVERIFY(SingleInstanceGuard(QStringLiteral("rt58-guard")).alreadyRunning());
        QVERIFY(!SingleInstanceGuard(QStringLiteral("rt58-other")).alreadyRunning());
    }
    QVERIFY(!SingleInstanceGuard(QStringLiteral("rt58-guard")).alreadyRunning());
}

// "runtime": what XDG_RUNTIME_DIR names; "temporary": the folder in the
// temporary folder that stands in without it. Either is used only when it is
// the user's own and private; with neither there is no guard.
void TestApp::lockFolder_data()
{
    QTest::addColumn<QString>("runtime");
    QTest::addColumn<QString>("temporary");
    QTest::addColumn<QString>("used");
    QTest::newRow("no runtime variable") << ""
                                         << ""
                                         << "temporary";
    QTest::newRow("runtime folder of another user") << "foreign"
                                                    << ""
                                                    << "temporary";
    QTest::newRow("open temporary folder") << ""
                                           << "open"
                                           << "";
    QTest::newRow("both of another user") << "foreign"
                                          << "foreign"
                                          << "";
}

void TestApp::lockFolder()
{
    QFETCH(QString, runtime);
    QFETCH(QString, temporary);
    if (::getuid() != 0 && (runtime == "foreign" || temporary == "foreign"))
        QSKIP("needs root to give a folder to another user");
    QTemporaryDir temp;
    QTemporaryDir foreign;
    const QString folder =
        temp.filePath("runtime-" + QString::fromLocal8Bit(getpwuid(::getuid())->pw_name));
    QVERIFY(QDir().mkdir(folder) && QFile(folder).setPermissions(QFileDevice::Permissions(0x7700)));
    if (temporary == "open")
        QVERIFY(QFile(folder).setPermissions(QFileDevice::Permissions(0x7777)));
    for (const QString &path : {foreign.path(), temporary == "foreign" ? folder : QString()})
        QVERIFY(path.isEmpty() || ::chown(QFile::encodeName(path).constData(), 65534, 65534) == 0);
    qputenv("TMPDIR", QFile::encodeName(temp.path()));
    if (runtime == "foreign")
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(foreign.path()));
    else
        qunsetenv("XDG_RUNTIME_DIR");
    QFETCH(QString, used);
    {
        SingleInstanceGuard guard(QStringLiteral("rt58-lock"));
        QVERIFY(!guard.alreadyRunning());
        const QString path = guard.lockFilePath();
        QCOMPARE(path.isEmpty() ? QString() : QFileInfo(path).absolutePath(),
                 used.isEmpty() ? QString() : folder);
    }
    QVERIFY(QDir(foreign.path()).isEmpty());
    qunsetenv("TMPDIR");
}

QTEST_GUILESS_MAIN(TestApp)
#include "tst_app.moc"
