// An oscilloscope window with two traces over an off-line scope.
#include "Gallery.h"

#include "tests/support/model/FakeStorage.h"
#include "tests/support/model/TestDevice.h"

#include "kitbase/model/ZRIndexSelection.h"
#include "kitbase/model/ZRLongOptions.h"
#include "kitbase/model/ZRScope.h"
#include "kitbase/ui/ZRChoiceRow.h"
#include "kitbase/ui/ZRPropertiesGrid.h"
#include "kitbase/ui/ZRScopeView.h"
#include "kitbase/ui/ZRStaticHeader.h"

#include <QWidget>

#include <cmath>
#include <memory>

namespace {

// Channel A a velocity swing, channel B the current that drives it; C and D unused.
class GalleryScope : public ZRScope {
public:
    GalleryScope() {
        SetClass(300);
        SetInstance(1);
    }

    void Init() override {
        ZRScope::Init();
        for (int c = 0; c < kMaxChannels; ++c) {
            auto options = std::make_unique<ZRLongOptions>(this, 4);
            options->Add(kAuto, "Auto");
            options->Add(kManual, "Manual");
            GetChnScaleType(c)->SetName("Scale Type");
            GetChnScaleType(c)->SetOptions(std::move(options));
        }
    }

    bool ChannelEnabled(int c) override { return c < 2; }
    bool ChannelValid(int c) override { return c < 2; }
    void GetChannelData(int c, std::vector<float>& data) override {
        const int n = GetNumDataPoints();
        if (data.size() < size_t(n))
            data.resize(size_t(n));
        for (int i = 0; i < n; ++i) {
            const double phase = 2 * M_PI * i / n;
            data[size_t(i)] = c == 0 ? float(1500 * std::sin(phase)) : float(4.5 * std::cos(phase) + 0.8);
        }
    }
    std::string GetChannelLegend(int c) override { return c == 0 ? "Velocity" : "Current"; }
    ZRChannelOptionList* GetChannelOptionList() override { return nullptr; }
    std::string GetChannelUnits(int c) override { return c == 0 ? "rpm" : "A"; }
    double GetMsecPerSample() override { return 0.5; }
    bool IsDataReady() override { return false; }
    bool ReadChannel(int) override { return true; }
    int GetTimeDivision() override { return 16; }
};

class ScopePage : public QWidget {
public:
    ScopePage() {
        scope.SetDevice(&device);
        scope.Init();
        view->setGeometry(0, 0, 900, 560);
        setFixedSize(900, 560);

        ZRPropertiesGrid& grid = *view->GetPropertyGrid();
        grid.SetOffLine(true);
        grid.OnInitialUpdate();
        grid.GetRows().emplace_back(
            new ZRChoiceRow(scope.GetChnScaleType(0), std::make_unique<ZRStaticHeader>("Scale Type A")));
        grid.GetRows().emplace_back(
            new ZRChoiceRow(scope.GetChnScaleType(1), std::make_unique<ZRStaticHeader>("Scale Type B")));
        grid.UpdateRows();

        view->SetObject(&scope);
        view->PlotData(false);
    }

private:
    FakeStorage storage;
    TestDevice device{&storage, true};
    GalleryScope scope;
    // Last, so the view goes before the scope it shows.
    std::unique_ptr<ZRScopeView> view = std::make_unique<ZRScopeView>(this);
};

} // namespace

void AddScopePage(Gallery& gallery) {
    gallery.Add("scope", [] { return std::make_unique<ScopePage>(); });
}
