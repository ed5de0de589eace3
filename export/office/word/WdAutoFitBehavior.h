#pragma once

// Word's WdAutoFitBehavior, as "AutoFitBehavior(WdAutoFitBehavior)" takes it.
namespace WdAutoFitBehavior {
enum WdAutoFitBehavior_e : int
{
    // Fit the table to the width of the window (the text column).
    FitWindow = 2,
};
} // namespace WdAutoFitBehavior
