#include "app/QtDispatcher.h"

#include <QCoreApplication>
#include <QMetaObject>

TQtDispatcher::TQtDispatcher() : uiThread_(std::this_thread::get_id()) {}

void TQtDispatcher::Post(TMessageTarget& target, int message, std::uint64_t threadId) {
    // Only the id travels: a target destroyed meanwhile is simply not found on delivery.
    const std::uint64_t id = target.TargetId();
    QMetaObject::invokeMethod(
        qApp, [id, message, threadId] { TMessageTarget::Deliver(id, message, threadId); },
        Qt::QueuedConnection);
}

bool TQtDispatcher::IsUiThread() const {
    return std::this_thread::get_id() == uiThread_;
}

void TQtDispatcher::WakeUi() {
    QMetaObject::invokeMethod(
        qApp, [this] { DrainSyncCalls(); }, Qt::QueuedConnection);
}
