#pragma once
// The threads and the dialog side of brightness and contrast. Unlike the plane-based tools, the
// preview thread reads the image's own pixels and the worker changes them in place; the preview
// is re-armed by handing it a new mapping, and OK waits for the worker on the UI thread (serving
// its synchronous calls) instead of being told by messages.

#include "adjust/AdjustSession.h"
#include "adjust/BriCon.h"
#include "core/platform/EngineThread.h"

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

class TFImage;
class TUiDispatcher;

// Renders passes over rows first..last into the display bitmap; a new mapping restarts a pass in
// progress at its first row. The view is repainted once per pass.
class TUpdateThread : public TEngineThread {
public:
    TUpdateThread(TFImage& image, TUiDispatcher& dispatcher);
    ~TUpdateThread() override;

    // Run on the UI thread (and waited for) after each pass.
    std::function<void()> EndOfPassCallback;

    // Hands over the mapping and starts a pass, or restarts the one in progress.
    void Trigger(std::shared_ptr<const TBriConMapping> mapping, int firstRow, int lastRow);
    // Ends the thread after at most the row in progress and waits for it.
    void Stop();
    int PassesCompleted() const { return passes_.load(); }

protected:
    void Execute() override;

private:
    std::shared_ptr<const TBriConMapping> Take();
    void RunPass();

    TFImage& image_;
    std::mutex mutex_;
    std::condition_variable wake_;
    bool pending_ = false;
    std::atomic<bool> restart_{false};
    std::atomic<int> passes_{0};
    std::shared_ptr<const TBriConMapping> next_;
    int first_ = 0, last_ = -1;         // guarded by mutex_
    int passFirst_ = 0, passLast_ = -1; // the thread's copy
};

// Maps rows first..last of the image in place, with progress Round(r / last * 100) of the row
// index just done (100 for a one-row image).
class TBriConThread : public TEngineThread {
public:
    TBriConThread(TFImage& image, std::shared_ptr<const TBriConMapping> mapping, int firstRow,
                  int lastRow, TUiDispatcher& dispatcher);
    ~TBriConThread() override;
    // Run on the UI thread with "<n>%" at every new multiple of ten, and "" at the end.
    std::function<void(const std::string&)> ProgressCallback;
    int Progress() const { return progress_.load(); }

protected:
    void Execute() override;

private:
    TFImage& image_;
    std::shared_ptr<const TBriConMapping> mapping_;
    int first_, last_;
    std::atomic<int> progress_{0};
};

class TBriConSession {
public:
    TBriConSession(TUiDispatcher& dispatcher, TAdjustHost& host);
    ~TBriConSession();

    // The mean and the preview thread; the dialog then calls UpdatePreview.
    void Open(TFImage& image);
    bool IsOpen() const { return image_ != nullptr; }
    double Mean() const { return mean_; }
    // The preview trigger: nothing while closing or with Preview unchecked.
    void UpdatePreview(const TBriConParams& params, bool previewChecked);
    // Undo snapshot, worker, wait; for grey images the new data range and display mode; then
    // host.CloseWithOk(). Returns when the image holds the result.
    void Apply(const TBriConParams& params);
    // Ends the preview thread and rebuilds the display.
    void Close();

    TUpdateThread* PreviewThread() const { return preview_.get(); }
    // Tables built so far, for the check that an unchanged slider does not rebuild them.
    int TablesBuilt() const { return tablesBuilt_; }

private:
    void EndPreview();

    TUiDispatcher& dispatcher_;
    TAdjustHost& host_;
    TFImage* image_ = nullptr;
    double mean_ = 0;
    int closing_ = 0;
    int tablesBuilt_ = 0;
    std::unique_ptr<TUpdateThread> preview_;
};
