// The Qt dispatcher: posted messages arrive on the GUI thread in order, a target destroyed before
// delivery gets nothing, and a worker's synchronous call runs on the GUI thread.

#include "app/QtDispatcher.h"

#include <QCoreApplication>
#include <QThread>
#include <QtTest>

#include <atomic>
#include <thread>
#include <vector>

namespace {

class TRecordingTarget : public TMessageTarget {
public:
    void HandleMessage(int message, std::uint64_t threadId) override {
        Received.push_back(message);
        LastThread = threadId;
        OnGuiThread = OnGuiThread && QThread::currentThread() == qApp->thread();
    }
    std::vector<int> Received;
    std::uint64_t LastThread = 0;
    bool OnGuiThread = true;
};

} // namespace

class TestQtDispatcher : public QObject {
    Q_OBJECT

private slots:
    void PostedMessagesArriveInOrderOnTheGuiThread() {
        TQtDispatcher dispatcher;
        QVERIFY(dispatcher.IsUiThread());
        TRecordingTarget target;
        std::thread worker([&] {
            for (int m = 1041; m <= 1044; ++m)
                dispatcher.Post(target, m, 7);
        });
        worker.join();
        QTRY_COMPARE(target.Received.size(), std::size_t(4));
        QCOMPARE(target.Received, (std::vector<int>{1041, 1042, 1043, 1044}));
        QCOMPARE(target.LastThread, std::uint64_t(7));
        QVERIFY(target.OnGuiThread);
    }

    void MessagesForAGoneTargetAreDropped() {
        TQtDispatcher dispatcher;
        auto* target = new TRecordingTarget;
        dispatcher.Post(*target, 1050, 1);
        delete target;
        QCoreApplication::processEvents(); // must not reach freed memory
        QVERIFY(true);
    }

    void SynchronousCallsRunOnTheGuiThread() {
        TQtDispatcher dispatcher;
        std::atomic<bool> done = false;
        bool onGui = false;
        bool workerCountsAsUi = true;
        std::thread worker([&] {
            workerCountsAsUi = dispatcher.IsUiThread();
            dispatcher.CallSync([&] { onGui = QThread::currentThread() == qApp->thread(); });
            done = true;
        });
        QTRY_VERIFY(done.load());
        worker.join();
        QVERIFY(!workerCountsAsUi);
        QVERIFY(onGui);
    }
};

QTEST_MAIN(TestQtDispatcher)
#include "test_qt_dispatcher.moc"
