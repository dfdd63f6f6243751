#pragma once
// An animation set as the JSON object vbatool prints and builds from.
#include "anim/vba.h"
#include "json.h"

jsonkit::Value VbaToJson(const VBA& set);
// JsonError when a key is missing, a value is of the wrong kind or the skeleton is unfit.
VBAPtr VbaFromJson(const jsonkit::Value& json);
