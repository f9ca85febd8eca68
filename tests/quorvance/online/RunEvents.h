// The event loop run by a test until something is done, idle work included.
#pragma once

#include <QEventLoop>
#include <QTimer>

#include <chrono>
#include <functional>

// Runs the event loop until done() or the time is up; whether done.
inline bool RunEventsUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    poll.start(5);
    QTimer::singleShot(limit, &loop, &QEventLoop::quit);
    loop.exec();
    return done();
}
