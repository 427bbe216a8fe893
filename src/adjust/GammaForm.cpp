#include "adjust/GammaForm.h"

#include "adjust/BriConForm.h"
#include "adjust/CurvesForm.h"
#include "adjust/HSIForm.h"
#include "adjust/HistogramForm.h"
#include "adjust/LevelsForm.h"
#include "adjust/StatisticsForm.h"
#include "app/MainForm.h"
#include "core/DataContainerUndo.h"
#include "core/fimage.h"
#include "ui/SpinEdit.h"
#include "ui/StatusPanels.h"
#include "ui/TrackBar.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

TfrmGamma::TfrmGamma(QWidget* parent) : TAdjustToolForm(GammaProtocol, parent) {
    setWindowTitle("Gamma");
    grpGamma_ = new QGroupBox("Gamma", this);
    grpGamma_->setObjectName("grpGamma");
    trkGamma_ = new TTrackBar(grpGamma_);
    trkGamma_->setObjectName("trkGamma");
    trkGamma_->setRange(GammaPositionMin, GammaPositionMax);
    trkGamma_->setValue(GammaPositionDefault);
    trkGamma_->SetFrequency(5);
    edtGamma_ = new TSpinEdit(grpGamma_);
    edtGamma_->setObjectName("edtGamma");
    edtGamma_->setRange(0.1, 10.1);
    edtGamma_->setSingleStep(0.1);
    edtGamma_->setDecimals(2);
    edtGamma_->setValue(1.0);
    auto* group = new QHBoxLayout(grpGamma_);
    group->addWidget(trkGamma_, 1);
    group->addWidget(edtGamma_);
    group->addWidget(MakeResetButton(grpGamma_));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grpGamma_);
    layout->addLayout(MakeButtonRow());
    setMinimumWidth(420);
    DisableWhileBusy({grpGamma_});

    connect(trkGamma_, &QSlider::valueChanged, this, &TfrmGamma::trkGammaChange);
    connect(edtGamma_, &QDoubleSpinBox::valueChanged, this, &TfrmGamma::edtGammaChange);
}

TfrmGamma::~TfrmGamma() = default;

float TfrmGamma::Gamma() const {
    return GammaOfPosition(trkGamma_->value());
}

TGammaParams TfrmGamma::Params() const {
    return {Gamma()};
}

void TfrmGamma::trkGammaChange() {
    edtGamma_->setValue(trkGamma_->value() / 10.0);
    UpdatePreview();
}

void TfrmGamma::edtGammaChange() {
    // A typed value is reduced to the nearest tenth; the slider's handler follows.
    trkGamma_->setValue(GammaPositionOf(edtGamma_->value()));
}

void TfrmGamma::btnResetClick() {
    trkGamma_->setValue(GammaPositionDefault);
}

void RegisterAdjustTools(TfrmMain& main) {
    TfrmMain* window = &main;
    TAdjustHooks hooks;
    hooks.Repaint = [window] { window->RepaintView(); };
    hooks.Progress = [window](const std::string& text) {
        window->SetStatusText(PanelProgress, QString::fromStdString(text));
        window->StatusPanels()->repaint();
    };
    hooks.Undo = [window](TFImage&) { window->UndoSave(); };
    hooks.DisplayModeReset = [window] { window->ResetDisplayMode(); };
    hooks.Refit = [window] {
        window->ResizeView();
        window->RepaintView();
    };
    auto* gamma = new TfrmGamma(window); // lives as long as the main window
    main.RegisterTool("acnProcessGamma", [window, gamma, hooks] {
        gamma->SetDocument(window->Image(), window->Dispatcher(), hooks);
        gamma->exec();
    });
    auto* bricon = new TfrmBriCon(window);
    main.RegisterTool("acnProcessBriCon", [window, bricon, hooks] {
        bricon->SetDocument(window->Image(), window->Dispatcher(), hooks);
        bricon->exec();
    });
    auto* levels = new TfrmLevels(window);
    main.RegisterTool("acnProcessLevels", [window, levels, hooks] {
        levels->SetDocument(window->Image(), window->Dispatcher(), hooks);
        levels->exec();
    });
    auto* curves = new TfrmCurves(window);
    main.RegisterTool("acnProcessCurves", [window, curves, hooks] {
        curves->SetDocument(window->Image(), window->Dispatcher(), hooks);
        curves->exec();
    });
    auto* hsi = new TfrmHSI(window);
    main.RegisterTool("acnProcessHSI", [window, hsi, hooks] {
        hsi->SetDocument(window->Image(), window->Dispatcher(), hooks);
        hsi->exec();
    });
    auto* statistics = new TfrmStatistics(window);
    main.RegisterTool("acnImageStatistics", [window, statistics] {
        statistics->AddImage(*window->Image());
        statistics->show();
        statistics->raise();
    });
    auto* histogram = new TfrmHistogram(window);
    main.RegisterTool("acnImageHistogram", [window, histogram] {
        histogram->SetDocument(window->Image());
        histogram->exec();
    });
}
