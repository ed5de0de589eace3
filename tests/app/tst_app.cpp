// The application's own pieces: where templates are found, where a report
// goes that the user did not name, the compiled-in catalogues, the status codes of a connect
// request, and the single-instance guard with the folder of its lock.
#include "ExampleRows.h"
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
    void reportDir_data();
    void reportDir();
    void catalogues_data();
    void catalogues();
    void connectRequestClearsTheDisconnectPair();
    void guardTurnsAwayTheSameNameOnly();
    void lockFolder_data();
    void lockFolder();
};

// "folders made (and a file), under prefix/ => the folder found".
void TestApp::templatesBesideTheExecutableFirst_data()
{
    addExampleRows({"bin/doc => bin/doc", "share/rt58/doc => share/rt58/doc",
                    "bin/doc share/rt58/doc => bin/doc", " => bin/doc",
                    "share/rt58/doc and a file bin/doc => share/rt58/doc"});
}

void TestApp::templatesBesideTheExecutableFirst()
{
    QFETCH(QString, example);
    QTemporaryDir root;
    const QDir prefix(root.filePath("prefix"));
    const QString made = example.section(" => ", 0, 0);
    const QStringList folders =
        made.section(" and a file ", 0, 0).split(' ', Qt::SkipEmptyParts) + QStringList{"bin"};
    for (const QString &folder : folders)
        QVERIFY(prefix.mkpath(folder));
    if (made.contains(" and a file "))
        QVERIFY(QFile(prefix.filePath(made.section(" and a file ", 1))).open(QIODevice::WriteOnly));
    QCOMPARE(AppPaths::dataDir(prefix.filePath("bin"), "doc"),
             prefix.filePath(example.section(" => ", 1)));
}

// "data folder|working folder => report folder" (a cancelled save dialog):
// beside the executable of a build tree only; an installed program's in the
// working folder, or the home folder when that is "/" or gone.
void TestApp::reportDir_data()
{
    addExampleRows({"bin/doc|work => bin", "bin/doc|/ => bin", "share/rt58/doc|work => work",
                    "share/rt58/doc|/ => home", "share/rt58/doc|gone => home"});
}

void TestApp::reportDir()
{
    QFETCH(QString, example);
    const QStringList folders = example.section(" => ", 0, 0).split('|');
    QTemporaryDir root;
    const QDir prefix(root.filePath("prefix"));
    for (const QString &folder : {folders.at(0), QString("work"), QString("home")})
        QVERIFY(prefix.mkpath(folder));
    const auto inPrefix = [&](const QString &path) {
        return path == "/" ? path : prefix.filePath(path);
    };
    QCOMPARE(AppPaths::reportDir(prefix.filePath("bin"), inPrefix(folders.at(1)),
                                 prefix.filePath("home")),
             inPrefix(example.section(" => ", 1)));
}

// "catalogue|context|source => shown": the Chinese catalogue translates the
// English sources, the English one the Chinese sources; what has no entry
// stays as it is.
void TestApp::catalogues_data()
{
    addExampleRows(
        {"zh_CN|MainWindow|MainWindow => RT-58A校准系统", "zh_CN|ExportFile|Info => 提示信息",
         "zh_EN|Config|连接失败！ => Failed to connect!", "zh_EN|ExportFile|保存图片失败! => "});
}

void TestApp::catalogues()
{
    QFETCH(QString, example);
    const QStringList key = example.section(" => ", 0, 0).split('|');
    QTranslator translator;
    QVERIFY(translator.load(":/lang/RT-58_" + key.at(0) + ".qm"));
    QCOMPARE(translator.translate(qPrintable(key.at(1)), key.at(2).toUtf8()),
             example.section(" => ", 1));
}

// A connect request clears its own pair and the disconnect pair, so that the
// unlink of an earlier link does not count for the new one; every other flag
// stays.
void TestApp::connectRequestClearsTheDisconnectPair()
{
    const QList<bool *> flags{&connectSent, &connectAcked, &disconnectSent, &disconnectAcked,
                              &readSent,    &readAcked,    &configSent,     &configAcked};
    for (bool *flag : flags)
        *flag = true;
    updateStatus(2);
    QString set;
    for (bool *flag : flags)
        set += *flag ? '1' : '0';
    QCOMPARE(set, QString("00001111"));
}

// The kernel lets go of the lock with the guard, however its holder ends.
void TestApp::guardTurnsAwayTheSameNameOnly()
{
    QTemporaryDir runtime;
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime.path()));
    {
        const SingleInstanceGuard first(QStringLiteral("rt58-guard"));
        QVERIFY(!first.alreadyRunning());
        QVERIFY(SingleInstanceGuard(QStringLiteral("rt58-guard")).alreadyRunning());
        QVERIFY(!SingleInstanceGuard(QStringLiteral("rt58-other")).alreadyRunning());
    }
    QVERIFY(!SingleInstanceGuard(QStringLiteral("rt58-guard")).alreadyRunning());
}

// "XDG_RUNTIME_DIR|the folder in the temporary folder that stands in without
// it => the one used": either only when it is the user's own and private;
// with neither there is no guard.
void TestApp::lockFolder_data()
{
    addExampleRows({"unset|private => temporary", "foreign|private => temporary", "unset|open => ",
                    "foreign|foreign => "});
}

void TestApp::lockFolder()
{
    QFETCH(QString, example);
    if (::getuid() != 0 && example.contains("foreign"))
        QSKIP("needs root to give a folder to another user");
    const QStringList folders = example.section(" => ", 0, 0).split('|');
    QTemporaryDir temp, foreign;
    const QString folder = temp.filePath("runtime-" + QString(getpwuid(::getuid())->pw_name));
    QVERIFY(QDir().mkdir(folder));
    QVERIFY(QFile(folder).setPermissions(
        QFileDevice::Permissions(folders.at(1) == "open" ? 0x7777 : 0x7700)));
    for (const QString &path : {foreign.path(), folders.at(1) == "foreign" ? folder : QString()})
        QVERIFY(path.isEmpty() || ::chown(QFile::encodeName(path).constData(), 65534, 65534) == 0);
    qputenv("TMPDIR", QFile::encodeName(temp.path()));
    if (folders.at(0) == "foreign")
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(foreign.path()));
    else
        qunsetenv("XDG_RUNTIME_DIR");
    const QString lockFile = SingleInstanceGuard(QStringLiteral("rt58-lock")).lockFilePath();
    QCOMPARE(lockFile.isEmpty() ? QString() : QFileInfo(lockFile).absolutePath(),
             example.endsWith("temporary") ? folder : QString());
    QVERIFY(QDir(foreign.path()).isEmpty());
    qunsetenv("TMPDIR");
}

QTEST_GUILESS_MAIN(TestApp)
#include "tst_app.moc"
