# The smallest code a PE image needs: an entry point that returns.
    .text
    .globl start
start:
    ret
