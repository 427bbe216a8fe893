#pragma once
// The three deconvolution tools in one table: what differs between their dialogs, the
// parameters they share, and the iteration each runs.

#include "deconv/Iteration.h"
#include "deconv/Psf.h"

class TDataContainer;

enum class TDeconvMethod { LucyRichardson, VanCittert, MaxEnt };

struct TDeconvParams {
    PsfKind Psf = PsfKind::Gaussian;
    float Sigma = 1.0f;     // "PSF Size", 0.1 .. 10
    float Kurtosis = 2.5f;  // "PSF Wing Adjustment", 1.01 .. 4, Moffat only
    int Iterations = 10;    // from 1
    bool Aggressive = true; // Lucy-Richardson only
};

constexpr float kSigmaMin = 0.1f, kSigmaMax = 10.0f;
constexpr float kKurtosisMin = 1.01f, kKurtosisMax = 4.0f;

struct TDeconvMethodInfo {
    const char* Caption;
    const char* CliName;
    int HelpContext;
    float DefaultSigma;
    int SigmaSliderMin, SigmaSliderMax;
    int IterationSliderMin, IterationSliderMax, IterationTick; // Lucy-Richardson: aggressive
    int IterationSpinMax;                                      // Lucy-Richardson: aggressive
    int DoneMessage, CancelMessage;
    bool RecomputeDisplayMode; // after a grey final run
};

const TDeconvMethodInfo& MethodInfo(TDeconvMethod method);
TDeconvParams DefaultParams(TDeconvMethod method);
// Iteration limits of Lucy-Richardson: 100 with the aggressive option, else 1000.
int LucyRichardsonMaxIterations(bool aggressive);
// The parameters brought into the ranges the dialogs allow.
TDeconvParams ClampParams(TDeconvMethod method, TDeconvParams params);

// Runs the method's iteration on the two planes.
TIterationResult RunIterations(TDeconvMethod method, TDataContainer& data, TDataContainer& psf,
                               const TDeconvParams& params, TIterationControl* control);
