// The whole public interface of langcore.
#pragma once

#include <lang/core/export.hpp>
#include <lang/core/types/message_ids.hpp>
