#pragma once
// A BrowserView that records what the server browser shows.

#include "net/serverbrowser.h"

#include <vector>

namespace kalvon::testing {

class RecordingBrowserView final : public BrowserView {
public:
    int clears = 0;
    Bytes caption = "Kalvon v1.91";
    bool refreshEnabled = true;
    std::vector<Bytes> addresses;
    int firstSelected = 0;
    std::vector<ServerRow> rows;
    std::vector<Bytes> errors;

    void clearServers() override
    {
        ++clears;
        addresses.clear();
        rows.clear();
    }
    void setCaption(BytesView text) override { caption = Bytes(text); }
    void setRefreshEnabled(bool enabled) override { refreshEnabled = enabled; }
    void addAddress(BytesView address) override { addresses.emplace_back(address); }
    void selectFirstAddress() override { ++firstSelected; }
    void addServerRow(const ServerRow& row) override { rows.push_back(row); }
    void showError(BytesView text) override { errors.emplace_back(text); }
};

} // namespace kalvon::testing
