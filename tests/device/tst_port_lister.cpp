// The port list: the ports named in RT58_EXTRA_PORTS first, in their order,
// then the machine's; only ports that open right now.
#include "SimProcess.h"
#include "device/PortLister.h"

#include <QtTest>

#include <QSerialPort>
#include <QTemporaryDir>

class TestPortLister : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_simA.start(m_dir.filePath("ttyA")) && m_simB.start(m_dir.filePath("ttyB")));
        qputenv("RT58_EXTRA_PORTS",
                QFile::encodeName(m_dir.filePath("ttyB") + ":" + m_dir.filePath("missing") +
                                  "::" + m_dir.filePath("ttyA")));
    }

    void namedPortsFirstInTheirOrder()
    {
        const QStringList listed = PortLister::openablePorts();
        QCOMPARE(listed.mid(0, 2), (QStringList{m_dir.filePath("ttyB"), m_dir.filePath("ttyA")}));
        QVERIFY(!listed.contains(m_dir.filePath("missing")));
        QVERIFY(!listed.contains(QString()));

        QSerialPort holder(m_dir.filePath("ttyB"));
        QVERIFY(holder.open(QIODevice::ReadWrite));
        QCOMPARE(PortLister::openablePorts().value(0), m_dir.filePath("ttyA"));
    }

    // Start-up asks the system for its ports on another thread; the listing
    // that uses the answer, and the next one that asks afresh, are the same.
    void preparedSystemPortsServeOneListing()
    {
        const QStringList direct = PortLister::openablePorts();
        PortLister::prepareSystemPorts();
        QCOMPARE(PortLister::openablePorts(), direct);
        QCOMPARE(PortLister::openablePorts(), direct);
    }

private:
    QTemporaryDir m_dir;
    SimProcess m_simA;
    SimProcess m_simB;
};

QTEST_GUILESS_MAIN(TestPortLister)
#include "tst_port_lister.moc"
