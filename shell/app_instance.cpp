#include "shell/app_instance.h"

HINSTANCE appInstance = nullptr;
