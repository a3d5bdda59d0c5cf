#pragma once
// What the core asks of the user interface. The desktop main window implements it with its
// widgets; the command-line tool and the tests use HeadlessView, which keeps the list, the
// status text and the latest outcome reports in memory.
#include <string>
#include <vector>

#include "link/outcome_report.h"
#include "platform/alerts.h"

namespace kx {

class SessionView {
public:
    virtual ~SessionView() = default;

    // Device drop-down list (items are inserted at their index, never sorted).
    virtual void ClearDeviceList() = 0;
    virtual void InsertDeviceListItem(int index, const std::u16string& text) = 0;
    virtual int DeviceListCount() const = 0;
    virtual std::u16string DeviceListItemText(int index) const = 0;
    // A programmatic selection: it raises no selection-change notification.
    virtual void SelectDeviceListItem(int index) = 0;
    virtual void SetStatusText(const std::string& text) = 0;

    virtual void ShowAlert(const platform::Alert& alert) = 0;

    // The device page container for the selected entry.
    virtual bool HasContainer() const = 0;
    virtual void CloseContainer() = 0;
    virtual void OpenContainer() = 0;

    // Repaint the preview at the next paint cycle.
    virtual void InvalidatePreview() = 0;

    // The window blocks for a search or an exchange; a user interface shows a wait cursor.
    virtual void SetBusy(bool busy) = 0;

    // What came of an exchange or a search, once it is over.
    virtual void ReportOutcome(const OutcomeReport& report) = 0;
};

class HeadlessView : public SessionView {
public:
    std::vector<std::u16string> list_items;
    int selected_item = -1;
    std::string status_text;
    std::vector<platform::Alert> alerts;
    bool container_open = false;
    int containers_opened = 0;
    int preview_invalidations = 0;
    bool print_alerts = false;
    OutcomeHistory outcomes;

    void ClearDeviceList() override;
    void InsertDeviceListItem(int index, const std::u16string& text) override;
    int DeviceListCount() const override { return static_cast<int>(list_items.size()); }
    std::u16string DeviceListItemText(int index) const override;
    void SelectDeviceListItem(int index) override { selected_item = index; }
    void SetStatusText(const std::string& text) override { status_text = text; }
    void ShowAlert(const platform::Alert& alert) override;
    bool HasContainer() const override { return container_open; }
    void CloseContainer() override { container_open = false; }
    void OpenContainer() override;
    void InvalidatePreview() override { ++preview_invalidations; }
    void SetBusy(bool) override {}
    void ReportOutcome(const OutcomeReport& report) override { outcomes.Add(report); }
};

} // namespace kx
