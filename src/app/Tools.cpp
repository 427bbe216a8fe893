#include "app/Tools.h"

#include "adjust/GammaForm.h"
#include "app/MainForm.h"
#include "deconv/DeconvolutionForm.h"
#include "geometry/ResizeForm.h"

// One line per tool family; an action nobody registers stays hidden.
void RegisterTools(TfrmMain& main) {
    RegisterGeometryTools(main);
    RegisterAdjustTools(main);
    RegisterDeconvolutionTools(main);
}
