#pragma once
// "Van Cittert Deconvolution".

#include "deconv/DeconvolutionForm.h"

class TfrmVanCittert : public TfrmDeconvolution {
public:
    explicit TfrmVanCittert(QWidget* parent = nullptr)
        : TfrmDeconvolution(TDeconvMethod::VanCittert, parent) {}
};
