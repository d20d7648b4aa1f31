<?xml version="1.0" encoding="UTF-8"?>
<!-- Puts the children of a dc:dc record under the root element that SRU
     servers (srw_dc:dc) or OAI-PMH providers (oai_dc:dc) use, with the dc
     namespace declared on the root as they send it. -->
<xsl:stylesheet version="1.0" xmlns:xsl="http://www.w3.org/1999/XSL/Transform"
    xmlns:dc="http://purl.org/dc/elements/1.1/"
    xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">
  <xsl:output method="xml" encoding="UTF-8" indent="yes"/>
  <xsl:param name="form" select="'srw'"/>
  <xsl:template match="/dc:dc">
    <xsl:choose>
      <xsl:when test="$form = 'oai'">
        <oai_dc:dc xmlns:oai_dc="http://www.openarchives.org/OAI/2.0/oai_dc/" xsi:schemaLocation="http://www.openarchives.org/OAI/2.0/oai_dc/ http://www.openarchives.org/OAI/2.0/oai_dc.xsd">
          <xsl:copy-of select="namespace::dc"/>
          <xsl:copy-of select="*"/>
        </oai_dc:dc>
      </xsl:when>
      <xsl:otherwise>
        <srw_dc:dc xmlns:srw_dc="info:srw/schema/1/dc-schema" xsi:schemaLocation="info:srw/schema/1/dc-schema http://www.loc.gov/standards/sru/dc-schema.xsd">
          <xsl:copy-of select="namespace::dc"/>
          <xsl:copy-of select="*"/>
        </srw_dc:dc>
      </xsl:otherwise>
    </xsl:choose>
  </xsl:template>
</xsl:stylesheet>
