#include "geometry/ResizeForm.h"

#include "app/MainForm.h"
#include "core/DataContainerUndo.h"
#include "core/fimage.h"
#include "geometry/Flip.h"
#include "geometry/Resize.h"
#include "ui/SpinEdit.h"
#include "ui/StatusPanels.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>
#include <initializer_list>

namespace {

TSpinEdit* MakeField(const char* name, double low, double high, int decimals, double value,
                     QWidget* parent) {
    auto* field = new TSpinEdit(parent);
    field->setObjectName(name);
    field->setRange(low, high);
    field->setDecimals(decimals);
    field->setSingleStep(1);
    field->setValue(value);
    return field;
}

QLabel* MakeLabel(const char* name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

} // namespace

TfrmResize::TfrmResize(QWidget* parent) : QDialog(parent) {
    setObjectName("frmResize");
    setWindowTitle("Resize");

    auto* grpSettings = new QGroupBox("Settings", this);
    grpSettings->setObjectName("grpSettings");
    auto* grid = new QGridLayout(grpSettings);

    cmbMethod_ = new QComboBox(grpSettings);
    cmbMethod_->setObjectName("cmbMethod");
    for (int i = 0; i < ResampleMethodCount; ++i)
        cmbMethod_->addItem(ResampleMethodName(static_cast<ResampleMethod>(i)));
    grid->addWidget(MakeLabel("lblMethod", "Resampling method", grpSettings), 0, 0);
    grid->addWidget(cmbMethod_, 0, 1, 1, 2);

    rbPercentage_ = new QRadioButton("Resize by percentage", grpSettings);
    rbPercentage_->setObjectName("rbPercentage");
    edtPercentage_ = MakeField("edtPercentage", 1, 3200, 2, 100, grpSettings);
    lblPercent_ = MakeLabel("lblPercent", "%", grpSettings);
    grid->addWidget(rbPercentage_, 1, 0, 1, 3);
    grid->addWidget(edtPercentage_, 2, 1);
    grid->addWidget(lblPercent_, 2, 2);

    rbCommon_ = new QRadioButton("Resize by common dimensions", grpSettings);
    rbCommon_->setObjectName("rbCommon");
    cmbCommon_ = new QComboBox(grpSettings);
    cmbCommon_->setObjectName("cmbCommon");
    for (int i = 0; i < CommonDimensionCount; ++i)
        cmbCommon_->addItem(CommonDimensionText(i));
    grid->addWidget(rbCommon_, 3, 0, 1, 3);
    grid->addWidget(cmbCommon_, 4, 1);

    rbAbsolute_ = new QRadioButton("Resize by absolute size", grpSettings);
    rbAbsolute_->setObjectName("rbAbsolute");
    rbAbsolute_->setChecked(true);
    lblWidth_ = MakeLabel("lblWidth", "Width", grpSettings);
    edtWidth_ = MakeField("edtWidth", ResizeMinSide, ResizeMaxSide, 0, 640, grpSettings);
    lblWidthUnit_ = MakeLabel("lblWidthUnit", "pixels", grpSettings);
    lblHeight_ = MakeLabel("lblHeight", "Height", grpSettings);
    edtHeight_ = MakeField("edtHeight", ResizeMinSide, ResizeMaxSide, 0, 480, grpSettings);
    lblHeightUnit_ = MakeLabel("lblHeightUnit", "pixels", grpSettings);
    // The other field follows every keystroke, while this one still has the focus.
    edtWidth_->setKeyboardTracking(true);
    edtHeight_->setKeyboardTracking(true);
    chkAspectRatio_ = new QCheckBox("Maintain aspect ratio", grpSettings);
    chkAspectRatio_->setObjectName("chkAspectRatio");
    chkAspectRatio_->setChecked(true);
    grid->addWidget(rbAbsolute_, 5, 0, 1, 3);
    grid->addWidget(lblWidth_, 6, 0);
    grid->addWidget(edtWidth_, 6, 1);
    grid->addWidget(lblWidthUnit_, 6, 2);
    grid->addWidget(lblHeight_, 7, 0);
    grid->addWidget(edtHeight_, 7, 1);
    grid->addWidget(lblHeightUnit_, 7, 2);
    grid->addWidget(chkAspectRatio_, 8, 1, 1, 2);

    lblConvert_ = MakeLabel("lblConvert",
                            "This image has no 16-bit, float or colour samples to resample; "
                            "it will be converted to 24-bit colour first.",
                            this);
    lblConvert_->setWordWrap(true);
    lblConvert_->setVisible(false);

    btnOK_ = new QPushButton("OK", this);
    btnOK_->setObjectName("btnOK");
    btnOK_->setDefault(true);
    btnCancel_ = new QPushButton("Cancel", this);
    btnCancel_->setObjectName("btnCancel");
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK_);
    buttons->addWidget(btnCancel_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grpSettings);
    layout->addWidget(lblConvert_);
    layout->addLayout(buttons);

    connect(edtWidth_, &QDoubleSpinBox::valueChanged, this, &TfrmResize::edtWidthChange);
    connect(edtHeight_, &QDoubleSpinBox::valueChanged, this, &TfrmResize::edtHeightChange);
    connect(chkAspectRatio_, &QCheckBox::clicked, this, &TfrmResize::chkAspectRatioClick);
    for (QRadioButton* option : {rbPercentage_, rbCommon_, rbAbsolute_})
        connect(option, &QRadioButton::toggled, this, &TfrmResize::ModeClick);
    connect(btnOK_, &QPushButton::clicked, this, &TfrmResize::btnOKClick);
    connect(btnCancel_, &QPushButton::clicked, this, &QDialog::reject);
    ModeClick();
}

void TfrmResize::SetDocument(TFImage* image, TDataContainerUndo* undo) {
    image_ = image;
    undo_ = undo;
}

int TfrmResize::ImageWidth() const {
    return image_ ? image_->Width : 0;
}

int TfrmResize::ImageHeight() const {
    return image_ ? image_->Height : 0;
}

void TfrmResize::showEvent(QShowEvent* event) {
    SetFields(ImageWidth(), ImageHeight());
    btnOK_->setEnabled(true);
    btnCancel_->setEnabled(true);
    lblConvert_->setVisible(image_ && ResizeConvertsToRgb24(*image_));
    QDialog::showEvent(event);
}

// Writes both fields without their change handlers answering each other.
void TfrmResize::SetFields(double width, double height) {
    const QSignalBlocker blockWidth(edtWidth_);
    const QSignalBlocker blockHeight(edtHeight_);
    edtWidth_->setValue(width);
    edtHeight_->setValue(height);
}

void TfrmResize::edtWidthChange() {
    if (edtHeight_->hasFocus() || chkAspectRatio_->hasFocus())
        return;
    if (chkAspectRatio_->isChecked() && ImageWidth() > 0)
        SetFields(LimitSide(edtWidth_->value()),
                  AspectHeightForWidth(LimitSide(edtWidth_->value()), ImageWidth(), ImageHeight()));
}

void TfrmResize::edtHeightChange() {
    if (edtWidth_->hasFocus() || chkAspectRatio_->hasFocus())
        return;
    if (chkAspectRatio_->isChecked() && ImageHeight() > 0)
        SetFields(AspectWidthForHeight(edtHeight_->value(), ImageWidth(), ImageHeight()),
                  LimitSide(edtHeight_->value()));
}

void TfrmResize::chkAspectRatioClick() {
    if (ImageWidth() > 0)
        SetFields(LimitSide(edtWidth_->value()),
                  AspectHeightForWidth(LimitSide(edtWidth_->value()), ImageWidth(), ImageHeight()));
}

void TfrmResize::ModeClick() {
    const bool percentage = rbPercentage_->isChecked();
    const bool common = rbCommon_->isChecked();
    const bool absolute = rbAbsolute_->isChecked();
    edtPercentage_->setEnabled(percentage);
    lblPercent_->setEnabled(percentage);
    cmbCommon_->setEnabled(common);
    for (QWidget* w :
         std::initializer_list<QWidget*>{lblWidth_, edtWidth_, lblWidthUnit_, lblHeight_,
                                         edtHeight_, lblHeightUnit_, chkAspectRatio_})
        w->setEnabled(absolute);
}

ResampleMethod TfrmResize::Method() const {
    return static_cast<ResampleMethod>(std::max(cmbMethod_->currentIndex(), 0));
}

TResizeSize TfrmResize::TargetSize() const {
    if (rbPercentage_->isChecked())
        return PercentTargetSize(edtPercentage_->value(), ImageWidth(), ImageHeight());
    if (rbCommon_->isChecked())
        return CommonDimension(cmbCommon_->currentIndex());
    return AbsoluteTargetSize(edtWidth_->value(), edtHeight_->value());
}

void TfrmResize::btnOKClick() {
    if (!image_ || image_->Empty())
        return;
    btnOK_->setEnabled(false);
    btnCancel_->setEnabled(false);
    repaint();
    // The buttons come back however the run ends.
    struct TEnable {
        QPushButton* Ok;
        QPushButton* Cancel;
        ~TEnable() {
            Ok->setEnabled(true);
            Cancel->setEnabled(true);
        }
    } enable{btnOK_, btnCancel_};
    const TResizeSize size = TargetSize();
    // A failure has shown its message and changed nothing: the dialog stays for another try.
    if (ResizeImage(*image_, Method(), size.Width, size.Height, undo_, progress_) < 0)
        return;
    if (fitToWindow_)
        fitToWindow_();
    accept();
}

void RegisterGeometryTools(TfrmMain& main) {
    TfrmMain* window = &main;
    auto* form = new TfrmResize(window); // lives as long as the main window
    // After a change of the pixels: Undo's state, the actions (an indexed image is colour now),
    // the view and its status panels, and the display-mode window.
    const auto refresh = [window] {
        window->SyncUndoAction();
        window->EnableActions();
        window->ResizeView();
        window->RepaintView();
        window->RefreshDisplayMode();
    };
    main.RegisterTool("acnImageResize", [window, form, refresh] {
        form->SetDocument(window->Image(), &window->UndoStore());
        form->SetProgress([window](int percent) {
            window->SetStatusText(PanelProgress,
                                  percent < 0 ? QString() : QString::number(percent) + "%");
            window->StatusPanels()->repaint(); // the run holds the user-interface thread
        });
        form->SetFitToWindow([window] { window->FitToWindow(); });
        if (form->exec() == QDialog::Accepted)
            refresh();
    });
    const auto flip = [window, refresh](int (*mirror)(TFImage&, TDataContainerUndo*)) {
        if (mirror(*window->Image(), &window->UndoStore()) == 0)
            refresh();
    };
    main.RegisterTool("acnImageFlipHorz", [flip] { flip(FlipHorizontal); });
    main.RegisterTool("acnImageFlipVert", [flip] { flip(FlipVertical); });
}
