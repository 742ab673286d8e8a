#include "common/app_instance.h"

HINSTANCE appInstance = nullptr;
