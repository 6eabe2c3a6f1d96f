#pragma once

#include "core/app/usermessage.h"

class QWidget;

namespace veltrix {

// A presenter for Messenger that shows a real modal message box over parent.
Messenger::Presenter messageBoxPresenter(QWidget *parent);

}  // namespace veltrix
