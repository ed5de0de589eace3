#include "app/SingleInstanceGuard.h"

#include <QtTest>

#include <QAbstractButton>
#include <QMessageBox>
#include <QProcess>
#include <QTemporaryDir>

#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

class TestSingleInstance : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void sameNameIsRefusedOtherNamesRunSideBySide();
    void killedHolderReleasesTheGuard();
    void refusalBoxHasItsTitleTextAndButton();
    void secondProgramCopyExitsWith255();
    void withoutRuntimeVariableTheLockIsInAPrivateFolder();
    void folderOfAnotherUserIsNeverUsed();

private:
    static QString uniqueName(const char *tag);
    static QString startProbe(QProcess &probe, const QString &name);
    static QString binary(const QString &name);
    static bool waitUntilHeld(const QString &name);
    static bool lockHeld(const QString &lockFile);

    // A runtime folder of this test's own, so that parallel runs cannot collide.
    QTemporaryDir m_runtime;
};

void TestSingleInstance::initTestCase()
{
    QVERIFY(m_runtime.isValid());
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
}

QString TestSingleInstance::uniqueName(const char *tag)
{
    return QStringLiteral("rt58-test-%1-%2").arg(QLatin1String(tag)).arg(::getpid());
}

QString TestSingleInstance::binary(const QString &name)
{
    return qEnvironmentVariable("RT58_BINARY_DIR") + QLatin1Char('/') + name;
}

QString TestSingleInstance::startProbe(QProcess &probe, const QString &name)
{
    probe.start(binary(QStringLiteral("tests/app/guard_probe")), {name});
    if (!probe.waitForStarted() || !probe.waitForReadyRead(5000))
        return QStringLiteral("no answer");
    return QString::fromLatin1(probe.readLine()).trimmed();
}

// Waits until a process holds the guard of that name. It only looks at the
// kernel's list of locks: taking the lock to probe it could turn away the very
// copy that is starting.
bool TestSingleInstance::waitUntilHeld(const QString &name)
{
    const QString lockFile =
        qEnvironmentVariable("XDG_RUNTIME_DIR") + QLatin1Char('/') + name + QStringLiteral(".lock");
    return QTest::qWaitFor([&] { return lockHeld(lockFile); }, 5000);
}

// True when /proc/locks lists a whole-file lock (flock) on that file.
bool TestSingleInstance::lockHeld(const QString &lockFile)
{
    struct stat info;
    if (::stat(QFile::encodeName(lockFile).constData(), &info) != 0)
        return false;
    const QString fileId = QStringLiteral("%1:%2:%3")
                               .arg(major(info.st_dev), 2, 16, QLatin1Char('0'))
                               .arg(minor(info.st_dev), 2, 16, QLatin1Char('0'))
                               .arg(info.st_ino);
    QFile locks(QStringLiteral("/proc/locks"));
    if (!locks.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray &line : locks.readAll().split('\n')) {
        const QStringList fields = QString::fromLatin1(line).simplified().split(QLatin1Char(' '));
        if (fields.size() > 5 && fields.at(1) == QLatin1String("FLOCK") &&
            fields.at(5).compare(fileId, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

void TestSingleInstance::sameNameIsRefusedOtherNamesRunSideBySide()
{
    const QString name = uniqueName("same");
    QProcess first, second, other;
    QCOMPARE(startProbe(first, name), QString("acquired"));
    QCOMPARE(startProbe(second, name), QString("refused"));
    QCOMPARE(startProbe(other, name + "-other"), QString("acquired"));
    for (QProcess *probe : {&first, &second, &other}) {
        probe->closeWriteChannel();
        QVERIFY(probe->waitForFinished());
    }
    QProcess after;
    QCOMPARE(startProbe(after, name), QString("acquired"));
    after.closeWriteChannel();
    QVERIFY(after.waitForFinished());
}

void TestSingleInstance::killedHolderReleasesTheGuard()
{
    const QString name = uniqueName("killed");
    QProcess holder;
    QCOMPARE(startProbe(holder, name), QString("acquired"));
    ::kill(static_cast<pid_t>(holder.processId()), SIGKILL);
    QVERIFY(holder.waitForFinished());
    QProcess next;
    QCOMPARE(startProbe(next, name), QString("acquired"));
    next.closeWriteChannel();
    QVERIFY(next.waitForFinished());
}

void TestSingleInstance::refusalBoxHasItsTitleTextAndButton()
{
    QString title, text;
    QMessageBox::StandardButtons buttons;
    QTimer::singleShot(0, [&] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        title = box->windowTitle();
        text = box->text();
        buttons = box->standardButtons();
        box->button(QMessageBox::Ok)->click();
    });
    SingleInstanceGuard::warnAlreadyRunning();
    QCOMPARE(title, QString("警告"));
    QCOMPARE(text, QString("应用程序已经在运行中！"));
    QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

// Runs copies of the program under names of their own; the refused copy's box
// is answered through the X server, so this case needs one.
void TestSingleInstance::secondProgramCopyExitsWith255()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") ||
        QStandardPaths::findExecutable("xdotool").isEmpty())
        QSKIP("needs an X server and xdotool");
    QTemporaryDir folder;
    const QString name = uniqueName("program");
    const QString copy = folder.filePath(name);
    QVERIFY(QFile::copy(binary("RT-58"), copy));

    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "xcb");
    QProcess first, second;
    for (QProcess *program : {&first, &second}) {
        program->setProcessEnvironment(environment);
        program->setWorkingDirectory(folder.path());
    }
    first.start(copy, QStringList());
    QVERIFY(waitUntilHeld(name));
    second.start(copy, QStringList());
    QVERIFY(second.waitForStarted());

    QProcess answer;
    answer.start("xdotool",
                 {"search", "--sync", "--name", "警告", "windowfocus", "--sync", "key", "Return"});
    QVERIFY(answer.waitForFinished(15000));
    QVERIFY(second.waitForFinished(10000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 255);
    QCOMPARE(first.state(), QProcess::Running);

    first.kill();
    QVERIFY(first.waitForFinished());
    QVERIFY(!SingleInstanceGuard(name).alreadyRunning());
}

// Without XDG_RUNTIME_DIR the lock goes into a folder of the temporary folder
// that only this user can reach; a folder there that others can reach is not
// used, and the program then starts without a guard.
void TestSingleInstance::withoutRuntimeVariableTheLockIsInAPrivateFolder()
{
    QTemporaryDir temp;
    const QString folder = temp.filePath(QStringLiteral("runtime-") +
                                         QString::fromLocal8Bit(getpwuid(::getuid())->pw_name));
    qunsetenv("XDG_RUNTIME_DIR");
    qputenv("TMPDIR", QFile::encodeName(temp.path()));
    {
        SingleInstanceGuard guard(uniqueName("private"));
        QCOMPARE(QFileInfo(guard.lockFilePath()).absolutePath(), folder);
        QVERIFY(!guard.alreadyRunning());
        QVERIFY(lockHeld(guard.lockFilePath()));
        QCOMPARE(QFileInfo(folder).ownerId(), uint(::getuid()));
        QCOMPARE(int(QFileInfo(folder).permissions() & 0x0777), 0x0700);
    }
    QVERIFY(QFile(folder).setPermissions(QFileDevice::Permissions(0x7777)));
    {
        SingleInstanceGuard guard(uniqueName("open"));
        QVERIFY(guard.lockFilePath().isEmpty());
        QVERIFY(!guard.alreadyRunning());
    }
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
    qunsetenv("TMPDIR");
}

// Another user who owns the runtime folder could hold the lock: such a folder
// is never used. XDG_RUNTIME_DIR naming it gives way to the folder in the
// temporary folder; that one taken by another user leaves no guard.
void TestSingleInstance::folderOfAnotherUserIsNeverUsed()
{
    if (::getuid() != 0)
        QSKIP("needs root to give a folder to another user");
    QTemporaryDir temp;
    QTemporaryDir foreign;
    QVERIFY(::chown(QFile::encodeName(foreign.path()).constData(), 65534, 65534) == 0);
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(foreign.path()));
    qputenv("TMPDIR", QFile::encodeName(temp.path()));
    const QString folder = temp.filePath(QStringLiteral("runtime-root"));
    {
        SingleInstanceGuard guard(uniqueName("foreign"));
        QCOMPARE(QFileInfo(guard.lockFilePath()).absolutePath(), folder);
    }
    QVERIFY(QDir(foreign.path()).isEmpty());
    QVERIFY(QDir(folder).removeRecursively());
    QVERIFY(QDir().mkdir(folder));
    QVERIFY(::chown(QFile::encodeName(folder).constData(), 65534, 65534) == 0);
    {
        SingleInstanceGuard guard(uniqueName("taken"));
        QVERIFY(guard.lockFilePath().isEmpty());
        QVERIFY(!guard.alreadyRunning());
    }
    QVERIFY(QDir(folder).isEmpty());
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
    qunsetenv("TMPDIR");
}

QTEST_MAIN(TestSingleInstance)
#include "tst_single_instance.moc"
