#pragma once

#include "app/InterfaceType.h"

#include <QThread>

struct Reply;

// The reply parser: every 100 ms it cuts the complete replies off the shared
// receive buffer, stores what they carry in the global record and reports
// them. It runs until an interruption is requested.
class HandleThread : public QThread
{
    Q_OBJECT

public:
    HandleThread();

signals:
    void updateSignal(InterfaceType_e interfaceType);

protected:
    void run() override;

private:
    static QList<Reply> takeReplies();
    void handleReply(const Reply &reply);
};
