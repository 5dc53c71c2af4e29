"""A scripted TN5250 host on 127.0.0.1 for one client.

It negotiates as RFC 1205 and RFC 4777 describe (terminal type, then END-OF-RECORD and
BINARY both ways), then lets a test send 5250 records and take the records the client
sends. Every byte of both directions can be kept in a pcap capture for tshark.
"""
from .tn3270host import Tn3270Host, wait_for  # noqa: F401


class Tn5250Host(Tn3270Host):
    """The negotiation of a TN5250 host is the TN3270 one without TN3270E."""

    def __init__(self, pcap=None):
        super().__init__(functions=None, pcap=pcap)
