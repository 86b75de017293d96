#pragma once

#include "choices.h"
#include "sample_options.h"

// The names of the sampling options, as widmo-cli's --window and --pad and the viewer's
// lists spell them.
inline constexpr value_names<sample_window, 2> window_names = {
    {{"none", sample_window::none}, {"hann", sample_window::hann}}};
inline constexpr value_names<sample_padding, 2> padding_names = {
    {{"zero", sample_padding::zero}, {"mean", sample_padding::mean}}};
