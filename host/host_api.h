// Every host operation the plug-in calls.
#pragma once

#include "host/host_assembly.h"
#include "host/host_attributes.h"
#include "host/host_defaults.h"
#include "host/host_display.h"
#include "host/host_part.h"
#include "host/host_session.h"
#include "host/host_types.h"
#include "host/host_udo.h"
