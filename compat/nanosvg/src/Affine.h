// Affine matrices in NanoSVG's layout: (a, b, c, d, e, f) maps (x, y) to (a·x + c·y + e, b·x + d·y + f).
#pragma once

#include <array>
#include <cmath>

namespace quorvane::svg
{

using Affine = std::array<float, 6>;

inline Affine identityAffine ()
{
	return {1.f, 0.f, 0.f, 1.f, 0.f, 0.f};
}

// The result applies `second` after `first`: result(p) = second(first(p)).
inline Affine concatAffine (const Affine& first, const Affine& second)
{
	const Affine& s = second;
	const Affine& f = first;
	return {f[0] * s[0] + f[1] * s[2], f[0] * s[1] + f[1] * s[3],        f[2] * s[0] + f[3] * s[2],
	        f[2] * s[1] + f[3] * s[3], f[4] * s[0] + f[5] * s[2] + s[4], f[4] * s[1] + f[5] * s[3] + s[5]};
}

// A singular (or non-finite) matrix inverts to the identity, so a degenerate transform never yields NaN.
inline Affine invertAffine (const Affine& t)
{
	const double det = double (t[0]) * t[3] - double (t[2]) * t[1];
	if (!(std::fabs (det) > 1e-12) || !std::isfinite (det))
		return identityAffine ();
	const double inv = 1.0 / det;
	Affine r;
	r[0] = float (t[3] * inv);
	r[2] = float (-t[2] * inv);
	r[4] = float ((double (t[2]) * t[5] - double (t[3]) * t[4]) * inv);
	r[1] = float (-t[1] * inv);
	r[3] = float (t[0] * inv);
	r[5] = float ((double (t[1]) * t[4] - double (t[0]) * t[5]) * inv);
	return r;
}

inline void applyAffine (const Affine& t, float x, float y, float& outX, float& outY)
{
	outX = x * t[0] + y * t[2] + t[4];
	outY = x * t[1] + y * t[3] + t[5];
}

// The factor by which the matrix scales lengths on average, used for stroke widths and dashes: the mean length
// of the matrix rows (a, c) and (b, d), as NanoSVG takes it (under skew this differs from the columns' mean).
inline float averageScale (const Affine& t)
{
	const float sx = std::sqrt (t[0] * t[0] + t[2] * t[2]);
	const float sy = std::sqrt (t[1] * t[1] + t[3] * t[3]);
	return (sx + sy) * 0.5f;
}

} // namespace quorvane::svg
