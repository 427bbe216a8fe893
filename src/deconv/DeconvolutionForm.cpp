#include "deconv/DeconvolutionForm.h"

#include "app/MainForm.h"
#include "core/Numeric.h"
#include "core/fimage.h"
#include "deconv/LucyRichardsonForm.h"
#include "deconv/MaxEntForm.h"
#include "deconv/VanCittertForm.h"
#include "ui/SpinEdit.h"
#include "ui/TrackBar.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

constexpr int kPictureSide = 220;

QImage ToQImage(const TDisplayBitmap& bitmap) {
    if (bitmap.Empty())
        return {};
    return QImage(bitmap.Bits(), bitmap.Width(), bitmap.Height(), bitmap.Stride(),
                  QImage::Format_BGR888)
        .copy();
}

TSpinEdit* MakeSpin(QWidget* parent, const char* name, double min, double max, double step,
                    double value) {
    auto* spin = new TSpinEdit(parent);
    spin->setObjectName(name);
    spin->setDecimals(2);
    spin->setRange(min, max);
    spin->setSingleStep(step);
    spin->setValue(value);
    return spin;
}

TTrackBar* MakeSlider(QWidget* parent, const char* name, int min, int max, int tick, int value) {
    auto* slider = new TTrackBar(parent);
    slider->setObjectName(name);
    slider->setRange(min, max);
    slider->SetFrequency(tick);
    slider->setValue(value);
    return slider;
}

QLabel* MakePicture(QWidget* parent, const char* name, int side) {
    auto* picture = new QLabel(parent);
    picture->setObjectName(name);
    picture->setFixedSize(side, side);
    picture->setScaledContents(true);
    picture->setFrameShape(QFrame::StyledPanel);
    return picture;
}

} // namespace

TfrmDeconvolution::TfrmDeconvolution(TDeconvMethod method, QWidget* parent)
    : QDialog(parent), method_(method) {
    const TDeconvMethodInfo& info = MethodInfo(method);
    const TDeconvParams defaults = DefaultParams(method);
    setWindowTitle(info.Caption);
    setProperty("HelpContext", info.HelpContext);

    grpPSF_ = new QGroupBox("Point Spread Function Type", this);
    grpPSF_->setObjectName("grpPSF");
    auto* psfLayout = new QVBoxLayout(grpPSF_);
    auto* psfGroup = new QButtonGroup(this);
    const char* const labels[] = {"Gaussian", "Exponential", "Cauchy", "Moffat"};
    for (int i = 0; i < 4; ++i) {
        psfButtons_[i] = new QRadioButton(labels[i], grpPSF_);
        psfButtons_[i]->setObjectName(QString("rb") + labels[i]);
        psfGroup->addButton(psfButtons_[i], i);
        psfLayout->addWidget(psfButtons_[i]);
    }
    psfButtons_[0]->setChecked(true);
    image2_ = MakePicture(this, "Image2", 64);

    auto* controls = new QGroupBox(this);
    auto* grid = new QGridLayout(controls);
    trkSigma_ = MakeSlider(controls, "trkSigma", info.SigmaSliderMin, info.SigmaSliderMax, 10,
                           static_cast<int>(RoundEven(defaults.Sigma * 10.0)));
    edtSigma_ = MakeSpin(controls, "edtSigma", kSigmaMin, kSigmaMax, 0.1, defaults.Sigma);
    trkKurtosis_ = MakeSlider(controls, "trkKurtosis", 110, 400, 14, 250);
    edtKurtosis_ = MakeSpin(controls, "edtKurtosis", kKurtosisMin, kKurtosisMax, 0.1, 2.5);
    trkIterations_ = MakeSlider(controls, "trkIterations", info.IterationSliderMin,
                                info.IterationSliderMax, info.IterationTick, defaults.Iterations);
    edtIterations_ =
        MakeSpin(controls, "edtIterations", 1, info.IterationSpinMax, 1, defaults.Iterations);
    lblKurtosis_ = new QLabel("PSF Wing Adjustment", controls);
    grid->addWidget(new QLabel("PSF Size", controls), 0, 0);
    grid->addWidget(trkSigma_, 0, 1);
    grid->addWidget(edtSigma_, 0, 2);
    grid->addWidget(lblKurtosis_, 1, 0);
    grid->addWidget(trkKurtosis_, 1, 1);
    grid->addWidget(edtKurtosis_, 1, 2);
    grid->addWidget(new QLabel("Iterations", controls), 2, 0);
    grid->addWidget(trkIterations_, 2, 1);
    grid->addWidget(edtIterations_, 2, 2);
    if (method == TDeconvMethod::LucyRichardson) {
        chkAggressive_ = new QCheckBox("Aggressive (100 iterations maximum)", controls);
        chkAggressive_->setObjectName("chkAggressive");
        chkAggressive_->setChecked(true);
        grid->addWidget(chkAggressive_, 3, 0, 1, 3);
    }
    grid->setColumnStretch(1, 1);

    image1_ = MakePicture(this, "Image1", kPictureSide);
    image3_ = MakePicture(this, "Image3", kPictureSide);
    image1_->installEventFilter(this);
    auto* pictures = new QHBoxLayout;
    pictures->addWidget(image1_);
    pictures->addWidget(image3_);

    btnPreview_ = new QPushButton("Preview", this);
    btnPreview_->setObjectName("btnPreview");
    auto* grpStatus = new QGroupBox("Status", this);
    grpStatus->setObjectName("grpStatus");
    lblStatus_ = new QLabel("Idle", grpStatus);
    lblStatus_->setObjectName("lblStatus");
    progressBar_ = new QProgressBar(grpStatus);
    progressBar_->setObjectName("ProgressBar");
    progressBar_->setRange(0, 100);
    progressBar_->setValue(0);
    auto* statusLayout = new QVBoxLayout(grpStatus);
    statusLayout->addWidget(lblStatus_);
    statusLayout->addWidget(progressBar_);
    btnOK_ = new QPushButton("OK", this);
    btnOK_->setObjectName("btnOK");
    btnOK_->setDefault(true);
    btnCancel_ = new QPushButton("Cancel", this);
    btnCancel_->setObjectName("btnCancel");

    auto* top = new QHBoxLayout;
    top->addWidget(grpPSF_);
    top->addWidget(image2_, 0, Qt::AlignCenter);
    top->addWidget(controls, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnPreview_);
    buttons->addWidget(grpStatus, 1);
    buttons->addWidget(btnOK_);
    buttons->addWidget(btnCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(pictures);
    layout->addWidget(
        new QLabel("Click and hold the left mouse button to scroll the image.", this));
    layout->addLayout(buttons);

    connect(psfGroup, &QButtonGroup::idClicked, this, &TfrmDeconvolution::grpPSFClick);
    connect(trkSigma_, &QSlider::valueChanged, this, &TfrmDeconvolution::trkSigmaChange);
    connect(edtSigma_, &QDoubleSpinBox::valueChanged, this, &TfrmDeconvolution::edtSigmaChange);
    connect(trkKurtosis_, &QSlider::valueChanged, this, &TfrmDeconvolution::trkKurtosisChange);
    connect(edtKurtosis_, &QDoubleSpinBox::valueChanged, this,
            &TfrmDeconvolution::edtKurtosisChange);
    connect(trkIterations_, &QSlider::valueChanged, this, &TfrmDeconvolution::trkIterationsChange);
    connect(edtIterations_, &QDoubleSpinBox::valueChanged, this,
            &TfrmDeconvolution::edtIterationsChange);
    if (chkAggressive_)
        connect(chkAggressive_, &QCheckBox::toggled, this, &TfrmDeconvolution::chkAggressiveClick);
    connect(btnPreview_, &QPushButton::clicked, this, &TfrmDeconvolution::btnPreviewClick);
    connect(btnOK_, &QPushButton::clicked, this, &TfrmDeconvolution::btnOKClick);
    connect(btnCancel_, &QPushButton::clicked, this, &TfrmDeconvolution::btnCancelClick);

    ApplyIterationLimits();
    grpPSFClick();
}

TfrmDeconvolution::~TfrmDeconvolution() = default;

void TfrmDeconvolution::SetDocument(TFImage* image, TUiDispatcher* dispatcher,
                                    const TDeconvHooks& hooks) {
    image_ = image;
    hooks_ = hooks;
    session_.reset();
    if (dispatcher)
        session_ = std::make_unique<TDeconvSession>(method_, *dispatcher,
                                                    static_cast<TDeconvHost&>(*this));
}

PsfKind TfrmDeconvolution::Kind() const {
    for (int i = 0; i < 4; ++i)
        if (psfButtons_[i]->isChecked())
            return static_cast<PsfKind>(i);
    return PsfKind::Gaussian;
}

TDeconvParams TfrmDeconvolution::Params() const {
    TDeconvParams params;
    params.Psf = Kind();
    params.Sigma = static_cast<float>(edtSigma_->value());
    params.Kurtosis = static_cast<float>(edtKurtosis_->value());
    params.Iterations = static_cast<int>(RoundEven(edtIterations_->value()));
    params.Aggressive = chkAggressive_ && chkAggressive_->isChecked();
    return params;
}

void TfrmDeconvolution::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!session_ || !image_)
        return;
    session_->Show(*image_);
    DrawPsf();
}

void TfrmDeconvolution::DrawPsf() {
    const TDeconvParams p = Params();
    if (auto bitmap = DrawPsfPreview(p.Psf, 64, 64, p.Sigma, p.Kurtosis))
        image2_->setPixmap(QPixmap::fromImage(ToQImage(*bitmap)));
}

void TfrmDeconvolution::grpPSFClick() {
    const bool moffat = Kind() == PsfKind::Moffat;
    trkKurtosis_->setEnabled(moffat);
    edtKurtosis_->setEnabled(moffat);
    lblKurtosis_->setEnabled(moffat);
    DrawPsf();
}

void TfrmDeconvolution::trkSigmaChange() {
    edtSigma_->setValue(trkSigma_->value() / 10.0);
}

void TfrmDeconvolution::edtSigmaChange() {
    const QSignalBlocker block(trkSigma_);
    trkSigma_->setValue(static_cast<int>(RoundEven(edtSigma_->value() * 10.0)));
    DrawPsf();
}

void TfrmDeconvolution::trkKurtosisChange() {
    edtKurtosis_->setValue(trkKurtosis_->value() / 100.0);
}

void TfrmDeconvolution::edtKurtosisChange() {
    const QSignalBlocker block(trkKurtosis_);
    trkKurtosis_->setValue(static_cast<int>(RoundEven(edtKurtosis_->value() * 100.0)));
    DrawPsf();
}

void TfrmDeconvolution::trkIterationsChange() {
    edtIterations_->setValue(trkIterations_->value());
}

void TfrmDeconvolution::edtIterationsChange() {
    const QSignalBlocker block(trkIterations_);
    trkIterations_->setValue(static_cast<int>(RoundEven(edtIterations_->value())));
}

void TfrmDeconvolution::chkAggressiveClick() {
    ApplyIterationLimits();
}

void TfrmDeconvolution::ApplyIterationLimits() {
    if (!chkAggressive_)
        return;
    const bool aggressive = chkAggressive_->isChecked();
    const int maximum = LucyRichardsonMaxIterations(aggressive);
    const QSignalBlocker block(trkIterations_);
    trkIterations_->setMaximum(maximum);
    trkIterations_->SetFrequency(aggressive ? 5 : 50);
    edtIterations_->setMaximum(maximum); // clamps a larger value, which moves the slider
}

bool TfrmDeconvolution::eventFilter(QObject* watched, QEvent* event) {
    if (watched == image1_ && session_) {
        if (event->type() == QEvent::MouseButtonPress) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            session_->PointerDown(mouse->position().toPoint().x(), mouse->position().toPoint().y());
            return true;
        }
        if (event->type() == QEvent::MouseMove) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if ((mouse->buttons() & Qt::LeftButton) && !session_->PreviewRunning())
                session_->DragTo(mouse->position().toPoint().x(), mouse->position().toPoint().y());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmDeconvolution::btnPreviewClick() {
    if (session_)
        session_->StartPreview(Params());
}

void TfrmDeconvolution::btnOKClick() {
    if (!session_ || !image_) {
        QDialog::done(QDialog::Rejected);
        return;
    }
    session_->StartFinal(Params());
}

void TfrmDeconvolution::btnCancelClick() {
    if (session_)
        session_->Cancel();
    else
        QDialog::done(QDialog::Rejected);
}

void TfrmDeconvolution::reject() {
    if (btnCancel_->isEnabled())
        btnCancelClick();
}

void TfrmDeconvolution::done(int result) {
    if (session_ && !session_->CanClose())
        return;
    if (session_)
        session_->Close();
    QDialog::done(result);
}

void TfrmDeconvolution::closeEvent(QCloseEvent* event) {
    if (session_ && !session_->CanClose()) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void TfrmDeconvolution::StateChanged() {
    lblStatus_->setText(QString::fromStdString(session_->Status()));
    progressBar_->setValue(session_->Progress());
    btnPreview_->setEnabled(session_->PreviewEnabled());
    btnOK_->setEnabled(session_->OkEnabled());
    btnCancel_->setEnabled(session_->CancelEnabled());
}

void TfrmDeconvolution::ShowPicture(QLabel* picture, const TDisplayBitmap& bitmap) {
    picture->setPixmap(QPixmap::fromImage(ToQImage(bitmap)));
}

void TfrmDeconvolution::RegionChanged() {
    const QColor face = palette().color(QPalette::Button);
    const std::uint8_t fill[3] = {static_cast<std::uint8_t>(face.blue()),
                                  static_cast<std::uint8_t>(face.green()),
                                  static_cast<std::uint8_t>(face.red())};
    const TDisplayBitmap picture = session_->RegionPicture(fill);
    ShowPicture(image1_, picture);
    ShowPicture(image3_, picture);
}

void TfrmDeconvolution::PreviewResult(const TDisplayBitmap& bitmap) {
    QImage canvas(TDeconvSession::kPreviewSide, TDeconvSession::kPreviewSide,
                  QImage::Format_RGB888);
    canvas.fill(palette().color(QPalette::Button));
    QPainter painter(&canvas);
    painter.drawImage(0, 0, ToQImage(bitmap));
    painter.end();
    image1_->setPixmap(QPixmap::fromImage(canvas));
}

void TfrmDeconvolution::TakeUndoSnapshot(TFImage& image) {
    if (hooks_.Undo)
        hooks_.Undo(image);
}

void TfrmDeconvolution::ImageChanged() {
    if (hooks_.ImageChanged)
        hooks_.ImageChanged();
}

void TfrmDeconvolution::RecomputeDisplayMode() {
    if (hooks_.RecomputeDisplayMode)
        hooks_.RecomputeDisplayMode();
}

void TfrmDeconvolution::CloseDialog(bool accepted) {
    done(accepted ? QDialog::Accepted : QDialog::Rejected);
}

void RegisterDeconvolutionTools(TfrmMain& main) {
    TfrmMain* window = &main;
    TDeconvHooks hooks;
    hooks.Undo = [window](TFImage&) { window->UndoSave(); };
    hooks.ImageChanged = [window] {
        window->SyncUndoAction();
        window->ResizeView();
        window->RepaintView();
    };
    hooks.RecomputeDisplayMode = [window] { window->RefreshDisplayMode(); };
    // Created once: the controls keep their values from one opening to the next.
    const auto hook = [window, hooks](const char* action, TfrmDeconvolution* form) {
        window->RegisterTool(action, [window, hooks, form] {
            form->SetDocument(window->Image(), window->Dispatcher(), hooks);
            form->exec();
        });
    };
    hook("acnProcessLucyRichardson", new TfrmLucyRichardson(window));
    hook("acnProcessVanCittert", new TfrmVanCittert(window));
    hook("acnProcessMaxExt", new TfrmMaximumEntropy(window));
}
