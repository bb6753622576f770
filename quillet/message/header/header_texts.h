// The header utilities' texts.
#pragma once

// The result of a parameter lookup that found nothing; callers compare against it.
constexpr const char* k_unableToGet = "$$Unable to Get$$";
