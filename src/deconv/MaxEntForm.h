#pragma once
// "Maximum Entropy Deconvolution".

#include "deconv/DeconvolutionForm.h"

class TfrmMaximumEntropy : public TfrmDeconvolution {
public:
    explicit TfrmMaximumEntropy(QWidget* parent = nullptr)
        : TfrmDeconvolution(TDeconvMethod::MaxEnt, parent) {}
};
