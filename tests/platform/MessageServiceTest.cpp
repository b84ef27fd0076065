// The message service: every message recorded in order and handed to the presenter.
#include "platform/MessageService.h"

#include <gtest/gtest.h>

namespace {

TEST(MessageServiceTest, RecordsInOrderAndPresentsEach) {
    platform::ClearMessages();
    std::vector<std::string> presented;
    platform::SetMessagePresenter([&](const std::string& text) { presented.push_back(text); });
    platform::ShowMessage("first");
    platform::ShowMessage("ERROR Line - %s%n");  // text, never a format
    platform::SetMessagePresenter(nullptr);
    EXPECT_EQ(platform::ShownMessages(), (std::vector<std::string>{"first", "ERROR Line - %s%n"}));
    EXPECT_EQ(presented, platform::ShownMessages());
    platform::ClearMessages();
    EXPECT_TRUE(platform::ShownMessages().empty());
}

}  // namespace
