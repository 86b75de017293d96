#include "TLabel.h"

TLabel::TLabel(QWidget* parent) : QLabel(parent) {}
