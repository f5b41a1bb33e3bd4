// The turn loops of the nine test kernels as assembly text: label 2, one unrolled turn, the
// pointer step and the turn counter, nothing else. The kernels (engine/kernels/kernels_*.cpp) wrap
// each in their pass loop; their plain twins (engine/kernels/twins_*.cpp) run the very same text from
// a counted C loop, so a kernel and its twin cannot drift apart by a single instruction.
// Operands by name: p (source), q (destination), t (turns left), sink, a, b (loaded words),
// v (the stored SSE value).
//
// Each loop starts on a 32-byte fetch boundary. The kernels run the alignment padding once,
// before the first pass: each pass ends by setting up the next and jumping straight back to
// label 2. A twin runs it before every pass, as compiled code around the loop would.
#pragma once

// Eight 4-byte loads into one register; 32 bytes.
#define TW_READ_TURN_LOOP         \
  ".p2align 5\n\t"                \
  "2:\n\t"                        \
  "movl 0(%[p]), %[sink]\n\t"     \
  "movl 4(%[p]), %[sink]\n\t"     \
  "movl 8(%[p]), %[sink]\n\t"     \
  "movl 12(%[p]), %[sink]\n\t"    \
  "movl 16(%[p]), %[sink]\n\t"    \
  "movl 20(%[p]), %[sink]\n\t"    \
  "movl 24(%[p]), %[sink]\n\t"    \
  "movl 28(%[p]), %[sink]\n\t"    \
  "add $32, %[p]\n\t"             \
  "dec %[t]\n\t"                  \
  "jnz 2b\n\t"

// Eight 4-byte stores of the register zero; 32 bytes.
#define TW_WRITE_TURN_LOOP        \
  ".p2align 5\n\t"                \
  "2:\n\t"                        \
  "movl %[zero], 0(%[p])\n\t"     \
  "movl %[zero], 4(%[p])\n\t"     \
  "movl %[zero], 8(%[p])\n\t"     \
  "movl %[zero], 12(%[p])\n\t"    \
  "movl %[zero], 16(%[p])\n\t"    \
  "movl %[zero], 20(%[p])\n\t"    \
  "movl %[zero], 24(%[p])\n\t"    \
  "movl %[zero], 28(%[p])\n\t"    \
  "add $32, %[p]\n\t"             \
  "dec %[t]\n\t"                  \
  "jnz 2b\n\t"

// Four times two loads and two stores at the same offsets of q; 32 bytes.
#define TW_COPY_TURN_LOOP         \
  ".p2align 5\n\t"                \
  "2:\n\t"                        \
  "movl 0(%[p]), %[a]\n\t"        \
  "movl 4(%[p]), %[b]\n\t"        \
  "movl %[a], 0(%[q])\n\t"        \
  "movl %[b], 4(%[q])\n\t"        \
  "movl 8(%[p]), %[a]\n\t"        \
  "movl 12(%[p]), %[b]\n\t"       \
  "movl %[a], 8(%[q])\n\t"        \
  "movl %[b], 12(%[q])\n\t"       \
  "movl 16(%[p]), %[a]\n\t"       \
  "movl 20(%[p]), %[b]\n\t"       \
  "movl %[a], 16(%[q])\n\t"       \
  "movl %[b], 20(%[q])\n\t"       \
  "movl 24(%[p]), %[a]\n\t"       \
  "movl 28(%[p]), %[b]\n\t"       \
  "movl %[a], 24(%[q])\n\t"       \
  "movl %[b], 28(%[q])\n\t"       \
  "add $32, %[p]\n\t"             \
  "add $32, %[q]\n\t"             \
  "dec %[t]\n\t"                  \
  "jnz 2b\n\t"

// Eight MOVQ loads into mm0; 64 bytes.
#define TW_MMX_READ_TURN_LOOP     \
  ".p2align 5\n\t"                \
  "2:\n\t"                        \
  "movq 0(%[p]), %%mm0\n\t"       \
  "movq 8(%[p]), %%mm0\n\t"       \
  "movq 16(%[p]), %%mm0\n\t"      \
  "movq 24(%[p]), %%mm0\n\t"      \
  "movq 32(%[p]), %%mm0\n\t"      \
  "movq 40(%[p]), %%mm0\n\t"      \
  "movq 48(%[p]), %%mm0\n\t"      \
  "movq 56(%[p]), %%mm0\n\t"      \
  "add $64, %[p]\n\t"             \
  "dec %[t]\n\t"                  \
  "jnz 2b\n\t"

// Eight MOVQ stores of mm0; 64 bytes.
#define TW_MMX_WRITE_TURN_LOOP    \
  ".p2align 5\n\t"                \
  "2:\n\t"                        \
  "movq %%mm0, 0(%[p])\n\t"       \
  "movq %%mm0, 8(%[p])\n\t"       \
  "movq %%mm0, 16(%[p])\n\t"      \
  "movq %%mm0, 24(%[p])\n\t"      \
  "movq %%mm0, 32(%[p])\n\t"      \
  "movq %%mm0, 40(%[p])\n\t"      \
  "movq %%mm0, 48(%[p])\n\t"      \
  "movq %%mm0, 56(%[p])\n\t"      \
  "add $64, %[p]\n\t"             \
  "dec %[t]\n\t"                  \
  "jnz 2b\n\t"

// Eight MOVQ loads and stores, software-pipelined two loads ahead through mm0, mm1, mm2.
#define TW_MMX_COPY_TURN_LOOP     \
  ".p2align 5\n\t"                \
  "2:\n\t"                        \
  "movq 0(%[p]), %%mm0\n\t"       \
  "movq 8(%[p]), %%mm1\n\t"       \
  "movq 16(%[p]), %%mm2\n\t"      \
  "movq %%mm0, 0(%[q])\n\t"       \
  "movq 24(%[p]), %%mm0\n\t"      \
  "movq %%mm1, 8(%[q])\n\t"       \
  "movq 32(%[p]), %%mm1\n\t"      \
  "movq %%mm2, 16(%[q])\n\t"      \
  "movq 40(%[p]), %%mm2\n\t"      \
  "movq %%mm0, 24(%[q])\n\t"      \
  "movq 48(%[p]), %%mm0\n\t"      \
  "movq %%mm1, 32(%[q])\n\t"      \
  "movq 56(%[p]), %%mm1\n\t"      \
  "movq %%mm2, 40(%[q])\n\t"      \
  "movq %%mm0, 48(%[q])\n\t"      \
  "movq %%mm1, 56(%[q])\n\t"      \
  "add $64, %[p]\n\t"             \
  "add $64, %[q]\n\t"             \
  "dec %[t]\n\t"                  \
  "jnz 2b\n\t"

// Four MOVAPS loads into xmm0..xmm3; 64 bytes.
#define TW_SSE_READ_TURN_LOOP     \
  ".p2align 5\n\t"                \
  "2:\n\t"                        \
  "movaps 0(%[p]), %%xmm0\n\t"    \
  "movaps 16(%[p]), %%xmm1\n\t"   \
  "movaps 32(%[p]), %%xmm2\n\t"   \
  "movaps 48(%[p]), %%xmm3\n\t"   \
  "add $64, %[p]\n\t"             \
  "dec %[t]\n\t"                  \
  "jnz 2b\n\t"

// Four MOVAPS stores of v; 64 bytes.
#define TW_SSE_WRITE_TURN_LOOP    \
  ".p2align 5\n\t"                \
  "2:\n\t"                        \
  "movaps %[v], 0(%[p])\n\t"      \
  "movaps %[v], 16(%[p])\n\t"     \
  "movaps %[v], 32(%[p])\n\t"     \
  "movaps %[v], 48(%[p])\n\t"     \
  "add $64, %[p]\n\t"             \
  "dec %[t]\n\t"                  \
  "jnz 2b\n\t"

// Four MOVAPS loads into xmm0..xmm3, then the four stores; 64 bytes.
#define TW_SSE_COPY_TURN_LOOP     \
  ".p2align 5\n\t"                \
  "2:\n\t"                        \
  "movaps 0(%[p]), %%xmm0\n\t"    \
  "movaps 16(%[p]), %%xmm1\n\t"   \
  "movaps 32(%[p]), %%xmm2\n\t"   \
  "movaps 48(%[p]), %%xmm3\n\t"   \
  "movaps %%xmm0, 0(%[q])\n\t"    \
  "movaps %%xmm1, 16(%[q])\n\t"   \
  "movaps %%xmm2, 32(%[q])\n\t"   \
  "movaps %%xmm3, 48(%[q])\n\t"   \
  "add $64, %[p]\n\t"             \
  "add $64, %[q]\n\t"             \
  "dec %[t]\n\t"                  \
  "jnz 2b\n\t"
