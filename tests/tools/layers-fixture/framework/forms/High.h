// Part of the layering check's own test: a header of a high layer.
#pragma once
