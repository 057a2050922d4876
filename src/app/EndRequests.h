#pragma once

#include <QObject>

class QSocketNotifier;

namespace quorvel {

// The requests to end the program that come from outside its windows, as one
// signal: on Linux SIGTERM, SIGINT and SIGHUP (a logout, a shutdown, a kill
// without -9), and everywhere the desktop session's end.
class EndRequests : public QObject {
    Q_OBJECT
public:
    explicit EndRequests(QObject* parent = nullptr);

signals:
    void endRequested();

private:
    QSocketNotifier* notifier_ = nullptr;
};

} // namespace quorvel
