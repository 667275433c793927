#pragma once

#include "app/form1.h"
#include "app/runtime.h"

#include <memory>

namespace tallivox {

// What start-up makes once the application object exists, the same for the
// program and for its start-up benchmark: Tallivox speaks the first of the
// user's languages it has, carries its icon, and opens Form1 on the real
// runtime services, which own the boxes it shows.
class Program {
public:
    Program();

    Form1 &window() { return *window_; }

private:
    QtRuntime runtime_;
    std::unique_ptr<Form1> window_;
};

} // namespace tallivox
