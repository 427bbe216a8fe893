#include "core/Messages.h"
#include "support/MessageRecorder.h"

#include <gtest/gtest.h>

#include <thread>

TEST(Messages, RecorderKeepsKindAndTextInOrder) {
    TMessageRecorder messages;
    ShowWarning("cannot open");
    ShowInformation("done");
    ReportError(2002);
    ASSERT_EQ(messages.Count(), 3u);
    EXPECT_EQ(messages.Texts(),
              (std::vector<std::string>{"cannot open", "done",
                                        "An error has occured. Please note error number: 2002."}));
    EXPECT_EQ(messages.Messages()[0].Kind, TMessageKind::Warning);
    EXPECT_EQ(messages.Messages()[1].Kind, TMessageKind::Information);
    EXPECT_EQ(messages.Last().Kind, TMessageKind::Error);
    EXPECT_EQ(messages.Count(TMessageKind::Error), 1u);
    EXPECT_EQ(ErrorNumberText(5001), "An error has occured. Please note error number: 5001.");
}

TEST(Messages, RecordersNestAndRestoreThePreviousSink) {
    TMessageRecorder outer;
    {
        TMessageRecorder inner;
        ShowError("inner");
        EXPECT_EQ(inner.Count(), 1u);
    }
    ShowError("outer");
    EXPECT_EQ(outer.Texts(), std::vector<std::string>{"outer"});
}

TEST(Messages, QuestionsGetTheSinksAnswer) {
    TMessage question;
    question.Kind = TMessageKind::Confirmation;
    question.Text = "Replace?";
    question.Buttons = TMessageButtons::YesNo;
    {
        TMessageRecorder no(TMessageResult::No);
        EXPECT_EQ(ShowMessage(question), TMessageResult::No);
    }
    {
        TMessageRecorder yes;
        EXPECT_EQ(ShowMessage(question), TMessageResult::Yes);
        question.Buttons = TMessageButtons::OkCancel;
        EXPECT_EQ(ShowMessage(question), TMessageResult::Ok);
    }
}

TEST(Messages, WithoutASinkTheTextGoesToStderr) {
    TMessageRecorder guard; // keeps whatever sink was there
    const TMessageSink previous = SetMessageSink(nullptr);
    testing::internal::CaptureStderr();
    ReportError(2001);
    const std::string err = testing::internal::GetCapturedStderr();
    SetMessageSink(previous);
    EXPECT_EQ(err, "error: An error has occured. Please note error number: 2001.\n");
    EXPECT_EQ(guard.Count(), 0u);
}

TEST(Messages, WorkerThreadsReachTheSink) {
    TMessageRecorder messages;
    std::thread a([] { ReportError(3000); });
    std::thread b([] { ReportError(3001); });
    a.join();
    b.join();
    EXPECT_EQ(messages.Count(TMessageKind::Error), 2u);
}
