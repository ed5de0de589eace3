#pragma once

#include <QObject>
#include <QString>

class QSocketNotifier;

// A pseudo-terminal in raw mode, published under a symbolic link. The
// simulator keeps its own descriptor of the terminal side open, so that a
// client can close the port and open it again as often as it likes.
class PseudoTerminal : public QObject
{
    Q_OBJECT

public:
    explicit PseudoTerminal(QObject *parent = nullptr);
    ~PseudoTerminal() override;

    // Creates the terminal and the link; an existing symbolic link at the
    // path is replaced, any other file is left alone and reported.
    bool open(const QString &linkPath, QString &error);
    QString terminalPath() const { return m_terminalPath; }

    // Writes what the terminal takes now; bytes that no client drains are
    // dropped rather than blocking the simulator.
    void write(const QByteArray &bytes);

signals:
    void received(const QByteArray &bytes);

private:
    bool openTerminal(QString &error);
    bool publishLink(const QString &linkPath, QString &error);
    void readAvailable();
    void removeLink();

    int m_master = -1;
    int m_terminal = -1;
    QString m_terminalPath;
    QString m_linkPath;
    QSocketNotifier *m_notifier = nullptr;
};
