#pragma once
// "Lucy Richardson Deconvolution", with the Aggressive option.

#include "deconv/DeconvolutionForm.h"

class TfrmLucyRichardson : public TfrmDeconvolution {
public:
    explicit TfrmLucyRichardson(QWidget* parent = nullptr)
        : TfrmDeconvolution(TDeconvMethod::LucyRichardson, parent) {}
};
